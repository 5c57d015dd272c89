// The program entry: the one place where the process ends, so that the
// terminal is always given back first.

#include <cstdint>
#include <ctime>
#include <exception>
#include <memory>
#include <string>

#include "console/port/error_output.h"
#include "console/port/exit_request.h"
#include "console/port/platform_console.h"
#include "frontend/menu_loop.h"

int main() {
    std::unique_ptr<sol::PlatformConsole> console;
    try {
        console = sol::openPlatformConsole();
    } catch (const std::exception& unusable) {
        // Nothing was drawn: a terminal the game cannot be played on.
        sol::writeErrorLine(std::string("solbangul: ") + unusable.what() + "\n");
        return 1;
    }
    sol::ExitRequest end{1};
    try {
        // Two games started in the same second are dealt the same cards.
        end.status = sol::mainMenuLoop(
            *console, [] { return static_cast<std::uint32_t>(std::time(nullptr)); });
    } catch (const sol::ExitRequest& request) {
        end = request;
    } catch (const std::exception& error) {
        console->restore();
        sol::writeErrorLine(std::string("solbangul: ") + error.what() + "\n");
        return 1;
    }
    console->restore();
    if (end.signal != 0) {
        sol::endBySignal(end.signal);
    }
    return end.status;
}
