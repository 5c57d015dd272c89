#pragma once

#include "cards/game_state.h"

namespace sol {

// The computer's whole move: it lays the first card of its hand, in slot
// order, that matches the card in play (see layCard), or else takes one
// card and passes the turn.
Report computerTurn(GameState& game);

}  // namespace sol
