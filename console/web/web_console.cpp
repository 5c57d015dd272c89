#include "console/web/web_console.h"

#include <emscripten.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>

#include "console/terminal_modes.h"
#include "console/width_probe.h"

namespace {

// The page's side of the console; see web/session.js.
EM_JS(void, solTerminalWrite, (const char* bytes, int length), {
    // A copy: xterm.js parses later, and the wasm memory may change by then.
    Module.solTerminal.write(HEAPU8.slice(bytes, bytes + length));
});

EM_ASYNC_JS(void, solTerminalWait, (int timeoutMs),
            { await Module.solTerminal.waitForInput(timeoutMs); });

EM_JS(int, solTerminalTake, (char* buffer, int capacity), {
    const bytes = Module.solTerminal.takeInput(capacity);
    HEAPU8.set(bytes, buffer);
    return bytes.length;
});

EM_JS(void, solTerminalEnded, (), { Module.solTerminal.ended(); });

constexpr sol::KeyDecoder::Clock kProbeWait{300};

}  // namespace

namespace sol::web {

WebConsole::~WebConsole() {
    restore();
}

KeyDecoder::Clock WebConsole::now() const {
    return KeyDecoder::Clock{static_cast<std::int64_t>(emscripten_get_now())};
}

void WebConsole::gotoXY(int x, int y) {
    // The console's coordinates are 16-bit.
    picture_.moveTo(static_cast<std::int16_t>(x), static_cast<std::int16_t>(y));
}

void WebConsole::clearScreen() {
    if (!probed_) {
        probeGlyphWidth();
    }
    picture_.clear();
}

void WebConsole::probeGlyphWidth() {
    probed_ = true;
    // xterm.js answers through the same channel as the keys.
    decoder_.expectCursorReport(true);
    // xterm.js turns clicks and taps into press reports once asked; the page
    // resets the terminal when the program ends.
    const std::string ask = std::string(kReportPresses) + std::string(kWidthProbe);
    solTerminalWrite(ask.data(), static_cast<int>(ask.size()));
    const KeyDecoder::Clock until = now() + kProbeWait;
    std::optional<KeyDecoder::CursorReport> report;
    while (!report && now() < until) {
        waitAndRead(until);
        report = decoder_.takeCursorReport();
    }
    // Keys typed meanwhile stay queued in the decoder for the game.
    decoder_.expectCursorReport(false);
    renderer_.setGlyphWidth(report ? glyphWidthFrom(*report) : GlyphWidth::Narrow);
    renderer_.invalidate();
}

Input WebConsole::readInput() {
    for (;;) {
        present();
        if (decoder_.hasInput()) {
            return decoder_.nextInput();
        }
        waitAndRead(decoder_.deadline());
    }
}

void WebConsole::waitAndRead(std::optional<KeyDecoder::Clock> deadline) {
    const int timeoutMs =
        deadline ? static_cast<int>(std::max<std::int64_t>(0, (*deadline - now()).count())) : -1;
    solTerminalWait(timeoutMs);
    char bytes[256];
    const int n = solTerminalTake(bytes, sizeof bytes);
    if (n > 0) {
        decoder_.feed(std::string_view(bytes, static_cast<std::size_t>(n)), now());
    }
    decoder_.tick(now());
}

void WebConsole::present() {
    std::string frame;
    renderer_.present(picture_, cursorHidden_, frame);
    if (!frame.empty()) {
        solTerminalWrite(frame.data(), static_cast<int>(frame.size()));
    }
}

void WebConsole::restore() {
    if (!active_) {
        return;
    }
    active_ = false;
    solTerminalEnded();
}

}  // namespace sol::web

namespace sol {

std::unique_ptr<PlatformConsole> openPlatformConsole() {
    return std::make_unique<web::WebConsole>();
}

void endBySignal(int signal) {
    // A page sends no signals; should one be asked for, end like a process.
    emscripten_force_exit(128 + signal);
}

}  // namespace sol
