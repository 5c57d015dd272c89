#pragma once

#include <optional>

#include "console/terminal/frame_diff.h"

namespace sol::win {

// How the console draws box glyphs, judged by where the cursor went after one
// of them was written alone at (beforeX, beforeY). An advance that is no
// glyph width at all (the write failed, or wrapped to the next row) says
// nothing.
inline std::optional<GlyphWidth> glyphWidthFromAdvance(int beforeX, int beforeY, int afterX,
                                                       int afterY) {
    if (afterY != beforeY) {
        return std::nullopt;
    }
    switch (afterX - beforeX) {
        case 1:
            return GlyphWidth::Narrow;
        case 2:
            return GlyphWidth::Wide;
        default:
            return std::nullopt;
    }
}

// Where to write the probe glyph: the cursor's cell, unless the glyph and the
// cell after it would not fit before the right edge of a row `rowWidth` wide.
inline int probeColumn(int cursorX, int rowWidth) {
    return cursorX > rowWidth - 3 ? 0 : cursorX;
}

}  // namespace sol::win
