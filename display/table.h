#pragma once

#include "console/port/console.h"

namespace sol {

// Clears the screen and draws the game table: the outer frame, the fifteen
// card boxes of each side, the draw-pile box and the box of the card in
// play. Reads no game state; the picture is always the same.
void drawTable(Console& console);

// The lines shown on the table when the player's card does not fit and when
// the discards are shuffled back into the draw pile.
inline constexpr const char* kRefusalText = "낼 수 없는 카드입니다.";
inline constexpr const char* kRecycleText = "카드가 다시 섞였습니다.";

}  // namespace sol
