#pragma once

#include <cstdint>

#include "cards/game_state.h"
#include "console/port/console.h"

namespace sol {

// Plays one whole game from the deal with cards shuffled by `seed` and
// returns the status the process ends with: 1, once the decided game's
// banner has had its key, or at once after a pile error.
int playGame(Console& console, std::uint32_t seed);

// The loop alone, from the position in `game`, whose table and faces are
// already drawn; it ends as playGame does.
int runGameLoop(Console& console, GameState& game);

}  // namespace sol
