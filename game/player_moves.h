#pragma once

#include "cards/game_state.h"
#include "console/console.h"

namespace sol {

// Lays the player's card in slot `index` (zero-based, 0 to 14) if it matches
// the card in play, applies its effect to the computer, redraws the table and
// the faces and passes the turn (a J or K keeps it). A slot without a card or
// a card that does not match only gets the refusal line at (32, 15).
void playerPlay(Console& console, GameState& game, int index);

// Takes one card from the draw pile into `hand` and shows the faces again.
// Holding 15 already decides the game against the player. `turn` is left to
// the caller.
void playerDraw(Console& console, GameState& game, Hand& hand);

}  // namespace sol
