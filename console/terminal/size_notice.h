#pragma once

#include <string>

namespace sol {

// The smallest window the screens fit in.
constexpr int kNeededColumns = 80;
constexpr int kNeededRows = 25;

bool windowTooSmall(int columns, int rows);

// The bytes that hide the cursor, clear a window of the given size and ask,
// centred in it, for a larger one. Nothing passes the window's right edge.
std::string sizeNotice(int columns, int rows);

}  // namespace sol
