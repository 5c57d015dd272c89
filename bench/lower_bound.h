#pragma once

// The fewest bytes a frame could cost: for each stretch of changed cells, its
// characters (or one erase, ECH or EL, where the stretch is to be blank and
// that is shorter) plus the cheapest way to reach it from where the cursor
// is: an absolute move (CUP), a row- or column-only one (VPA, CHA), a
// relative one (CUU, CUD, CUF, CUB), CR, LF, backspaces, or writing again the
// unchanged cells in between. Or a clear (ED) first, where that is shorter.
// It ignores what a real terminal would trip over, such as the wrap pending
// after the last column, so no renderer can beat it by much.

#include <algorithm>
#include <array>

#include "console/terminal/frame_diff.h"

namespace sol::bench {

class LowerBound {
  public:
    using Rows = std::array<TerminalRow, ScreenBuffer::kRows>;

    LowerBound() {
        TerminalRow blank;
        blank.fill(U' ');
        blank_.fill(blank);
        shown_ = blank_;
    }

    std::size_t frame(const Rows& target) {
        int x = x_, y = y_;
        const long overShown = cost(shown_, target, x, y);
        int clearedX = x_, clearedY = y_;
        const long overBlank = 4 + cost(blank_, target, clearedX, clearedY);
        shown_ = target;
        if (overBlank < overShown) {
            x_ = clearedX, y_ = clearedY;
            return static_cast<std::size_t>(overBlank);
        }
        x_ = x, y_ = y;
        return static_cast<std::size_t>(overShown);
    }

  private:
    static int digits(int n) { return n < 10 ? 1 : n < 100 ? 2 : 3; }
    static int csi(int n) { return n == 1 ? 3 : 3 + digits(n); }
    static int bytes(char32_t ch) {
        return ch == kRightHalf ? 0 : ch < 0x80 ? 1 : ch < 0x800 ? 2 : ch < 0x10000 ? 3 : 4;
    }

    static int move(int fromX, int fromY, int x, int y) {
        if (fromX == x && fromY == y) {
            return 0;
        }
        int along = 0;
        if (fromX != x) {
            along = std::min({csi(x + 1),
                              x > fromX ? csi(x - fromX) : std::min(fromX - x, csi(fromX - x)),
                              x == 0 ? 1 : 1 + csi(x)});
        }
        int down = 0;
        if (fromY != y) {
            down = std::min(csi(y + 1),
                            y > fromY ? std::min(y - fromY, csi(y - fromY)) : csi(fromY - y));
        }
        const int cup =
            x == 0 ? 3 + (y == 0 ? 0 : digits(y + 1)) : 4 + digits(y + 1) + digits(x + 1);
        return std::min(cup, along + down);
    }

    long cost(const Rows& shown, const Rows& target, int& x, int& y) const {
        long total = 0;
        for (int row = 0; row < ScreenBuffer::kRows; ++row) {
            const TerminalRow& t = target[row];
            int tail = ScreenBuffer::kColumns;
            while (tail > 0 && t[tail - 1] == U' ') {
                --tail;
            }
            bool erasedToEnd = false;
            FrameDiff::forEachSpan(shown[row], t, [&](int from, int to) {
                if (erasedToEnd) {
                    return;
                }
                int reach = move(x, y, from, row);
                if (row == y && from >= x) {
                    int again = 0;
                    for (int column = x; column < from; ++column) {
                        again += bytes(t[column]);
                    }
                    reach = std::min(reach, again);
                }
                int text = 0;
                bool blank = true;
                for (int column = from; column < to; ++column) {
                    text += bytes(t[column]);
                    blank = blank && t[column] == U' ';
                }
                x = to;
                if (blank && from >= tail && 3 < text) {
                    text = 3, x = from, erasedToEnd = true;  // EL
                } else if (blank && csi(to - from) < text) {
                    text = csi(to - from), x = from;  // ECH
                }
                total += reach + text;
                y = row;
            });
        }
        return total;
    }

    Rows blank_;
    Rows shown_;
    int x_ = 0;
    int y_ = 0;
};

}  // namespace sol::bench
