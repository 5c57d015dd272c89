#pragma once

#include "cards/game_state.h"

namespace sol {

// What happened at the table. The view draws it and the narrator says it,
// from the same event, so that a line shown and its sentence cannot drift
// apart.
struct TableEvent {
    enum class Kind {
        Dealt,            // a new table: both hands and the card in play
        Step,             // what a move of `mover` did, as `report` tells it
        AwaitingInput,    // the player's turn waits, with △ under slot `sel`
        InputTaken,       // and has its key or press: △ goes
        MarkerAt,         // △ stands under slot `sel` now
        DrawOffered,      // △ under the pile: Enter or the pile again takes a card
        DrawOfferClosed,  // the offer is over; `taken` says whether a card was
        Result,           // the game is decided: the banner of `report.winner`
    };

    Kind kind;
    Side mover = Side::Player;
    Report report{};
    int sel = 1;  // a slot of the player's, counted from 1
    bool taken = false;
};

}  // namespace sol
