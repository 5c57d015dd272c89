#pragma once

#include "cards/game_state.h"

namespace sol {

// The player lays the card in slot `index` (zero-based, 0 to 14) if it
// matches the card in play (see layCard). A slot without a card or a card
// that does not match is Event::Refused, and nothing changes.
Report playerPlay(GameState& game, int index);

// The player takes one card from the draw pile and the turn passes. Asking
// while holding 15 loses the game.
Report playerDraw(GameState& game);

}  // namespace sol
