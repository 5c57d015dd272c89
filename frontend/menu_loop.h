#pragma once

#include <cstdint>
#include <functional>

#include "console/console.h"

namespace sol {

// Shows the menu and carries out each choice until the process is to end:
// a game (which ends with status 1) or the quit entry (status 0), both
// reported by throwing ExitRequest. `seed` gives the shuffle of a new game.
[[noreturn]] void mainMenuLoop(Console& console, const std::function<std::uint32_t()>& seed);

}  // namespace sol
