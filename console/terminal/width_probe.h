#pragma once

#include <string_view>

#include "console/terminal/frame_diff.h"
#include "console/terminal/key_decoder.h"

namespace sol {

// How a terminal is asked whether it draws box glyphs, shapes and card
// symbols one column wide or two: one glyph is written at the home cell and
// the cursor's place requested. The answer comes back among the keys.
inline constexpr std::string_view kWidthProbe = "\x1b[H┏\x1b[6n";

// Drawn two columns wide, the glyph leaves the cursor in column 3 (1-based).
inline GlyphWidth glyphWidthFrom(KeyDecoder::CursorReport report) {
    return report.column >= 3 ? GlyphWidth::Wide : GlyphWidth::Narrow;
}

}  // namespace sol
