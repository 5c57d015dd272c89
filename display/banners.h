#pragma once

#include "console/port/console.h"

namespace sol {

// The large WIN or LOSE banner and its prompt, on a cleared screen. The
// caller waits for the key.
void showWin(Console& console);
void showLose(Console& console);

}  // namespace sol
