#pragma once

#include <optional>

#include "console/port/platform_console.h"
#include "console/terminal/terminal_core.h"

namespace sol::web {

// The xterm.js terminal of a web page as the game's console. The terminal
// core renders the picture and decodes what the page's terminal sends, as
// for a Unix terminal; this side only passes bytes to and from the page. A key
// wait suspends the program (Asyncify) until the page
// has input, so the browser's event loop keeps running meanwhile.
//
// The page supplies Module.solTerminal = {write, waitForInput, takeInput,
// ended}; web/session.js is that side.
class WebConsole final : public PlatformConsole {
  public:
    WebConsole() = default;
    ~WebConsole() override;
    WebConsole(const WebConsole&) = delete;
    WebConsole& operator=(const WebConsole&) = delete;

    Input readInput() override;
    // To the page's live region.
    void say(std::string_view sentence) override;
    // Shows the last picture and tells the page the program is over: after
    // the first wait, main's return never reaches the page, so this is the
    // one sure signal.
    void restore() override;

  private:
    TerminalCore::Clock now() const;
    // Suspends until the page has input or `deadline` passes, and feeds
    // what came to the core.
    void waitAndRead(std::optional<TerminalCore::Clock> deadline);
    void send(std::string_view bytes);
    void sendFrame();

    TerminalCore core_;
    bool active_ = true;
};

}  // namespace sol::web
