#include "frontend/menu_loop.h"

#include "frontend/menu_screen.h"
#include "frontend/rules_screen.h"
#include "game/game_loop.h"

namespace sol {

int mainMenuLoop(Console& console, const std::function<std::uint32_t()>& seed) {
    for (;;) {
        const MenuEntry entry = menuScreen(console);
        console.clearScreen();
        switch (entry) {
            case MenuEntry::StartGame:
                return playGame(console, seed());
            case MenuEntry::ShowRules:
                rulesScreen(console);
                console.readInput();  // any key or press
                break;
            case MenuEntry::Quit:
                return 0;
        }
    }
}

}  // namespace sol
