#pragma once

#include <array>
#include <vector>

#include "console/port/screen_buffer.h"
#include "console/terminal/glyph_width.h"

namespace sol {

// One row as the terminal shows it, a character per column. A glyph drawn one
// column wide is followed by its fill in a column of its own; the column
// covered by a character drawn two columns wide holds kRightHalf.
inline constexpr char32_t kRightHalf = 0;
using TerminalRow = std::array<char32_t, ScreenBuffer::kColumns>;

// What the terminal shows and what it is to show next, kept as terminal rows,
// so that cells that differ in the picture but look the same on the terminal
// are not written again. The renderer and the Windows console write what
// this finds.
class FrameDiff {
  public:
    explicit FrameDiff(GlyphWidth glyphWidth) : glyphWidth_(glyphWidth) { reset(); }

    GlyphWidth glyphWidth() const { return glyphWidth_; }
    // The terminal keeps what it shows; the picture is laid out anew.
    void setGlyphWidth(GlyphWidth glyphWidth);
    // The terminal shows a blank screen.
    void reset();

    // Lays out the rows of `picture` in `changed` (every row after a reset or
    // a new width) and returns, in order, the rows where what the terminal
    // is to show differs from what it shows.
    const std::vector<int>& changedRows(const ScreenBuffer& picture, RowSet changed);
    const TerminalRow& shown(int y) const { return shown_[y]; }
    const TerminalRow& target(int y) const { return target_[y]; }
    // The terminal now shows the target: on the changed rows, or on all rows.
    void commit();
    void commitAll();

    // Calls f(from, to) for each stretch [from, to) of the row to write. Both
    // ends fall on the first column of a character, as the terminal shows it
    // and as it is to show it, so no character is ever cut in half.
    template <typename F>
    static void forEachSpan(const TerminalRow& shown, const TerminalRow& target, F&& f) {
        constexpr int kColumns = ScreenBuffer::kColumns;
        int x = 0;
        while (x < kColumns) {
            if (shown[x] == target[x]) {
                ++x;
                continue;
            }
            int from = x;
            while (from > 0 && (shown[from] == kRightHalf || target[from] == kRightHalf)) {
                --from;
            }
            int to = x + 1;
            while (to < kColumns && (shown[to] != target[to] || shown[to] == kRightHalf ||
                                     target[to] == kRightHalf)) {
                ++to;
            }
            f(from, to);
            x = to;
        }
    }

  private:
    void layOut(const ScreenBuffer& picture, int y);

    GlyphWidth glyphWidth_;
    std::array<TerminalRow, ScreenBuffer::kRows> shown_{};
    std::array<TerminalRow, ScreenBuffer::kRows> target_{};
    // The picture's rows as last laid out: a row written but left as it was
    // is not laid out again.
    using PictureRow = std::array<ScreenBuffer::Cell, ScreenBuffer::kColumns>;
    std::array<PictureRow, ScreenBuffer::kRows> laidOut_{};
    std::vector<int> changed_;
    bool layOutAll_ = true;
};

}  // namespace sol
