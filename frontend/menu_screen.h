#pragma once

#include "console/console.h"

namespace sol {

// The menu's entries, as menuScreen returns them.
enum MenuEntry { kStartGame = 1, kShowRules = 2, kQuit = 3 };

// Draws the framed main menu on a cleared screen, moves the marker with the
// up and down keys (wrapping at both ends) and returns the entry on which
// Enter is pressed. Every call starts on entry 1.
int menuScreen(Console& console);

}  // namespace sol
