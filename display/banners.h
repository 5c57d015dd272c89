#pragma once

#include "cards/game_result.h"
#include "console/console.h"

namespace sol {

// The large WIN or LOSE banner on a cleared screen, then one key read.
void showWin(Console& console);
void showLose(Console& console);
void showBanner(Console& console, Outcome outcome);

}  // namespace sol
