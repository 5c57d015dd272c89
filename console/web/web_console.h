#pragma once

#include <array>
#include <optional>
#include <string>

#include "console/port/platform_console.h"
#include "console/terminal/key_decoder.h"

namespace sol::web {

// The web page's own screen as the game's console. Before each key wait the
// rows that changed go to the page, which draws the cells itself; the page
// sends back, for its keys and presses, what a terminal would send, which
// is decoded as a terminal's is. A key wait suspends the program (Asyncify)
// until the page has input, so the browser's event loop keeps running
// meanwhile.
//
// The page supplies Module.solScreen = {row, waitForInput, takeInput, ended,
// say}; web/session.js is that side.
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
    using Clock = KeyDecoder::Clock;

    Clock now() const;
    // Sends the rows whose text differs from what the page shows.
    void present();
    // Suspends until the page has input or `deadline` passes, and decodes
    // what came.
    void waitAndRead(std::optional<Clock> deadline);

    KeyDecoder decoder_;
    std::array<std::string, ScreenBuffer::kRows> shown_;  // what the page shows
    bool active_ = true;
};

}  // namespace sol::web
