#pragma once

#include "cards/game_state.h"
#include "console/port/console.h"
#include "display/table_event.h"

namespace sol {

// The table's picture of an event: the table and the faces after a deal and
// a move, the refusal and recycling lines, the two markers, the banner.
void drawEvent(Console& console, const GameState& game, const TableEvent& event);

// The one way an event reaches the player: drawn, and said in its sentence
// (see narrate in spoken_text.h).
void showAndSay(Console& console, const GameState& game, const TableEvent& event);

}  // namespace sol
