#pragma once

#include "console/console.h"

namespace sol {

// Clears the screen and draws the game table: the outer frame, the fifteen
// card boxes of each side, the draw-pile box and the box of the card in
// play. Reads no game state; the picture is always the same.
void drawTable(Console& console);

}  // namespace sol
