#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "console/frame_renderer.h"
#include "console/screen_buffer.h"
#include "console/text_width.h"

namespace sol::win {

// A stretch of one row to write with a single console call, starting at
// column x. The text is UTF-16, as the console's wide-character interface
// takes it.
struct CellRun {
    int x = 0;
    int y = 0;
    std::u16string text;
    bool operator==(const CellRun&) const = default;
};

inline void appendUtf16(std::u16string& out, char32_t ch) {
    if (ch < 0x10000) {
        out += static_cast<char16_t>(ch);
    } else {
        ch -= 0x10000;
        out += static_cast<char16_t>(0xD800 + (ch >> 10));
        out += static_cast<char16_t>(0xDC00 + (ch & 0x3FF));
    }
}

// The glyph of one cell as the console must receive it so that it covers the
// two columns the layouts give it: where the console draws it one column
// wide, its fill follows.
inline void appendCellGlyph(std::u16string& out, char32_t ch, GlyphWidth glyphWidth) {
    appendUtf16(out, ch);
    if (glyphWidth == GlyphWidth::Narrow && columnWidth(ch) == 2 && !drawnWideEverywhere(ch)) {
        const std::string_view fill = narrowFill(ch);
        for (std::size_t pos = 0; pos < fill.size();) {
            appendUtf16(out, decodeUtf8(fill, pos));
        }
    }
}

// The writes that turn a console showing `shown` into one showing `picture`.
// A run always begins on the first column of a character, both of the old one
// and of the new one, so a two-column glyph is never cut in half on the
// console. Unchanged cells between two changes are written again when the gap
// is short, which costs less than a separate call.
inline std::vector<CellRun> changedRuns(const ScreenBuffer& shown, const ScreenBuffer& picture,
                                        GlyphWidth glyphWidth) {
    constexpr int kMergeGap = 3;
    std::vector<CellRun> runs;
    for (int y = 0; y < ScreenBuffer::kRows; ++y) {
        int x = 0;
        while (x < ScreenBuffer::kColumns) {
            if (picture.at(x, y) == shown.at(x, y)) {
                ++x;
                continue;
            }
            int from = x;
            while (from > 0 &&
                   (picture.at(from, y).continuation || shown.at(from, y).continuation)) {
                --from;
            }
            int to = x + 1;
            for (int scan = to; scan < ScreenBuffer::kColumns && scan <= to + kMergeGap; ++scan) {
                if (picture.at(scan, y) != shown.at(scan, y)) {
                    to = scan + 1;
                }
            }
            CellRun run{from, y, {}};
            x = from;
            while (x < to) {
                const char32_t ch = picture.at(x, y).ch;
                appendCellGlyph(run.text, ch, glyphWidth);
                x += columnWidth(ch);
            }
            runs.push_back(std::move(run));
        }
    }
    return runs;
}

}  // namespace sol::win
