#pragma once

#include "cards/game_state.h"

namespace sol {

// What a laid card does to the other side: a 2 makes it take two cards, an A
// three, each through the capacity rule of drawInto. `shape` plays no part.
void applyCardEffect(GameState& game, Hand& opponent, int number, char shape);

// A J or a K gives the side that laid it another move.
bool keepsTurn(int number);

}  // namespace sol
