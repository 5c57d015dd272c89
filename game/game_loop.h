#pragma once

#include <cstdint>

#include "cards/game_state.h"
#include "console/console.h"

namespace sol {

// Plays one whole game from the deal with cards shuffled by `seed`. It never
// returns: the decided game clears the screen, shows its banner, waits for a
// key and asks for the end of the process with status 1 (ExitRequest).
[[noreturn]] void playGame(Console& console, std::uint32_t seed);

// The loop alone, from the position in `game`, whose table and faces are
// already drawn; it ends as playGame does.
[[noreturn]] void runGameLoop(Console& console, GameState& game);

}  // namespace sol
