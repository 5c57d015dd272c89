#pragma once

#include <optional>

#include "console/frame_renderer.h"
#include "console/key_decoder.h"
#include "console/platform_console.h"
#include "console/screen_buffer.h"

namespace sol::web {

// The xterm.js terminal of a web page as the game's console. It behaves as a
// terminal does for the POSIX backend: the game draws into a screen model,
// the renderer sends only what changed before every key wait, and the bytes
// the page's terminal sends (keys, the answer to the width probe) go through
// the key decoder. A key wait suspends the program (Asyncify) until the page
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

    void hideCursor() override { cursorHidden_ = true; }
    void gotoXY(int x, int y) override;
    void clearScreen() override;
    void write(std::string_view text) override { picture_.write(text); }
    Input readInput() override;
    // Tells the page the program is over: after the first wait, main's
    // return never reaches the page, so this is the one sure signal.
    void restore() override;

  private:
    KeyDecoder::Clock now() const;
    void probeGlyphWidth();
    // Suspends until the page has input or `deadline` passes, and feeds
    // what came to the decoder.
    void waitAndRead(std::optional<KeyDecoder::Clock> deadline);
    void present();

    KeyDecoder decoder_;
    FrameRenderer renderer_;
    ScreenBuffer picture_;
    bool cursorHidden_ = false;
    bool probed_ = false;
    bool active_ = true;
};

}  // namespace sol::web
