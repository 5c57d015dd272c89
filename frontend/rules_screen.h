#pragma once

#include "console/port/console.h"

namespace sol {

// The help text of the menu's second entry, on a screen the caller cleared.
// Reads no key.
void rulesScreen(Console& console);

}  // namespace sol
