#pragma once

#include "console/console.h"

namespace sol {

// The help text of the menu's second entry, on a screen the caller cleared.
// Reads no key.
void rulesScreen(Console& console);

}  // namespace sol
