#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "console/port/screen_buffer.h"
#include "console/terminal/frame_diff.h"

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

// The writes that bring a console showing what `diff` holds as shown up to
// `picture`, whose rows outside `changed` are as they were at the last call;
// the diff then holds the picture as shown. Unchanged cells between two
// changes are written again when the gap is short, which costs less than a
// separate call.
inline std::vector<CellRun> changedRuns(FrameDiff& diff, const ScreenBuffer& picture,
                                        RowSet changed) {
    constexpr int kMergeGap = 3;
    std::vector<CellRun> runs;
    for (const int y : diff.changedRows(picture, changed)) {
        const TerminalRow& target = diff.target(y);
        int end = -kMergeGap - 1;  // one past the last column of the row's last run
        FrameDiff::forEachSpan(diff.shown(y), target, [&](int from, int to) {
            if (from - end > kMergeGap) {
                runs.push_back(CellRun{from, y, {}});
                end = from;
            }
            for (int x = end; x < to; ++x) {
                if (target[x] != kRightHalf) {
                    appendUtf16(runs.back().text, target[x]);
                }
            }
            end = to;
        });
    }
    diff.commit();
    return runs;
}

}  // namespace sol::win
