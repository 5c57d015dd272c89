#include "console/web/web_console.h"

#include <emscripten.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>

#include "console/terminal/terminal_modes.h"

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

EM_JS(void, solTerminalSay, (const char* text, int length),
      { Module.solTerminal.say(UTF8ToString(text, length)); });

// The first frame does not wait for the probe's answer: xterm.js draws the
// glyphs one column wide, as assumed until an answer says otherwise, and it
// answers only after a frame or two, which on a slow phone is 150 ms more
// before the menu shows.
constexpr sol::TerminalCore::Clock kProbeWait{0};

}  // namespace

namespace sol::web {

WebConsole::~WebConsole() {
    restore();
}

TerminalCore::Clock WebConsole::now() const {
    return TerminalCore::Clock{static_cast<std::int64_t>(emscripten_get_now())};
}

Input WebConsole::readInput() {
    if (!core_.taken()) {
        // xterm.js turns clicks and taps into press reports once asked; the
        // page resets the terminal when the program ends.
        send(core_.takeOver(kReportPresses, true, now(), kProbeWait));
    }
    for (;;) {
        sendFrame();
        if (core_.hasInput()) {
            return core_.nextInput();
        }
        waitAndRead(core_.deadline(now()));
    }
}

void WebConsole::sendFrame() {
    send(core_.frame(picture(), takeChanges().rows, cursorHidden()));
}

void WebConsole::waitAndRead(std::optional<TerminalCore::Clock> deadline) {
    const int timeoutMs =
        deadline ? static_cast<int>(std::max<std::int64_t>(0, (*deadline - now()).count())) : -1;
    solTerminalWait(timeoutMs);
    char bytes[256];
    const int n = solTerminalTake(bytes, sizeof bytes);
    if (n > 0) {
        core_.feed(std::string_view(bytes, static_cast<std::size_t>(n)), now());
    }
    core_.tick(now());
}

void WebConsole::say(std::string_view sentence) {
    solTerminalSay(sentence.data(), static_cast<int>(sentence.size()));
}

void WebConsole::send(std::string_view bytes) {
    if (!bytes.empty()) {
        solTerminalWrite(bytes.data(), static_cast<int>(bytes.size()));
    }
}

void WebConsole::restore() {
    if (!active_) {
        return;
    }
    active_ = false;
    // The last picture stays on the page: the banner, or the cleared screen
    // after a quit.
    sendFrame();
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
