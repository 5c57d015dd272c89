#pragma once

#include "cards/game_state.h"
#include "console/console.h"

namespace sol {

// The computer's whole move, without waiting for a key: it lays the first
// card of its hand, in slot order, that matches the card in play, or else
// takes one card. The turn goes to the player, unless a J or K was laid.
void computerTurn(Console& console, GameState& game);

}  // namespace sol
