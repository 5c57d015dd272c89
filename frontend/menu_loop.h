#pragma once

#include <cstdint>
#include <functional>

#include "console/port/console.h"

namespace sol {

// Shows the menu and carries out each choice until one ends the program, and
// returns the status the process ends with: 0 for the quit entry, 1 after a
// game. `seed` gives the shuffle of a new game.
int mainMenuLoop(Console& console, const std::function<std::uint32_t()>& seed);

}  // namespace sol
