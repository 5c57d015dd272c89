#pragma once

#include "cards/game_state.h"
#include "console/port/console.h"

namespace sol {

// Writes both hands and the card in play into the boxes of the table, and
// blanks the slots beyond each hand's count.
void showCards(Console& console, const GameState& game);

}  // namespace sol
