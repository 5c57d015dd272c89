#include "frontend/menu_loop.h"

#include "console/exit_request.h"
#include "frontend/menu_screen.h"
#include "frontend/rules_screen.h"
#include "game/game_loop.h"

namespace sol {

void mainMenuLoop(Console& console, const std::function<std::uint32_t()>& seed) {
    for (;;) {
        switch (menuScreen(console)) {
            case kStartGame:
                console.clearScreen();
                playGame(console, seed());  // never returns: a game ends the process
            case kShowRules:
                console.clearScreen();
                rulesScreen(console);
                console.readKey();
                break;
            default:
                console.clearScreen();
                throw ExitRequest{0};
        }
    }
}

}  // namespace sol
