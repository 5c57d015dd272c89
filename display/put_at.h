#pragma once

#include <string_view>

#include "console/port/console.h"
#include "display/layout.h"

namespace sol {

// Writes `text` starting at the cell `at`.
inline void putAt(Console& console, layout::Pos at, std::string_view text) {
    console.gotoXY(at.x, at.y);
    console.write(text);
}

}  // namespace sol
