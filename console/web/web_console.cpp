#include "console/web/web_console.h"

#include <emscripten.h>

#include <algorithm>
#include <cstdint>
#include <memory>

namespace {

// The page's side of the console; see web/session.js.
EM_JS(void, solScreenRow, (int y, const char* text, int length),
      { Module.solScreen.row(y, UTF8ToString(text, length)); });

EM_ASYNC_JS(void, solScreenWait, (int timeoutMs),
            { await Module.solScreen.waitForInput(timeoutMs); });

EM_JS(int, solScreenTake, (char* buffer, int capacity), {
    const bytes = Module.solScreen.takeInput(capacity);
    HEAPU8.set(bytes, buffer);
    return bytes.length;
});

EM_JS(void, solScreenEnded, (), { Module.solScreen.ended(); });

EM_JS(void, solScreenSay, (const char* text, int length),
      { Module.solScreen.say(UTF8ToString(text, length)); });

}  // namespace

namespace sol::web {

WebConsole::~WebConsole() {
    restore();
}

WebConsole::Clock WebConsole::now() const {
    return Clock{static_cast<std::int64_t>(emscripten_get_now())};
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

void WebConsole::present() {
    const RowSet changed = takeChanges().rows;
    for (int y = 0; changed != 0 && y < ScreenBuffer::kRows; ++y) {
        if (!hasRow(changed, y)) {
            continue;
        }
        std::string text = picture().row(y);
        if (text != shown_[y]) {
            solScreenRow(y, text.data(), static_cast<int>(text.size()));
            shown_[y] = std::move(text);
        }
    }
}

void WebConsole::waitAndRead(std::optional<Clock> deadline) {
    const int timeoutMs =
        deadline ? static_cast<int>(std::max<std::int64_t>(0, (*deadline - now()).count())) : -1;
    solScreenWait(timeoutMs);
    char bytes[256];
    const int n = solScreenTake(bytes, sizeof bytes);
    if (n > 0) {
        decoder_.feed(std::string_view(bytes, static_cast<std::size_t>(n)), now());
    }
    decoder_.tick(now());
}

void WebConsole::say(std::string_view sentence) {
    solScreenSay(sentence.data(), static_cast<int>(sentence.size()));
}

void WebConsole::restore() {
    if (!active_) {
        return;
    }
    active_ = false;
    // The last picture stays on the page: the banner, or the cleared screen
    // after a quit.
    present();
    solScreenEnded();
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
