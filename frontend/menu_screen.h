#pragma once

#include "console/port/console.h"

namespace sol {

// The menu's entries, top to bottom.
enum class MenuEntry { StartGame = 1, ShowRules = 2, Quit = 3 };

// Draws the framed main menu on a cleared screen, moves the marker with the
// up and down keys (wrapping at both ends) and returns the entry on which
// Enter is pressed. Every call starts on the first entry.
MenuEntry menuScreen(Console& console);

}  // namespace sol
