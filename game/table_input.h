#pragma once

#include "cards/game_state.h"
#include "console/port/console.h"

namespace sol {

// One input of the player's turn, keys and presses alike, with the selection
// marker shown under slot `sel` (counted from 1) while it waits; `sel`
// outlives the turn. Returns what the move did, Event::None when it only
// moved the marker or was given up.
Report playerInput(Console& console, GameState& game, int& sel);

}  // namespace sol
