#pragma once

#include "console/port/console.h"

namespace sol {

// The frame around the whole screen that the menu and the table share: drawn
// from (0, 0) as one top line, 22 side lines and the bottom line, rows 0 to 23.
// The cursor ends at (0, 24).
void drawOuterFrame(Console& console);

}  // namespace sol
