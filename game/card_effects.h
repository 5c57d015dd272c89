#pragma once

#include "cards/game_state.h"

namespace sol {

// What a laid card of `number` does to the `opponent`: a 2 makes it take two
// cards, an A three, each through drawInto, which may decide the game. The
// card's shape plays no part.
Report applyCardEffect(GameState& game, Side opponent, int number);

// A J or a K gives the side that laid it another move.
bool keepsTurn(int number);

// The side to move lays the card in slot `index` of its hand, which must
// match the card in play: onto the discard pile, its effect on the
// opponent, and the turn passed on (a J or K keeps it). Laying the hand's
// last card wins at once, without its effect.
Report layCard(GameState& game, int index);

}  // namespace sol
