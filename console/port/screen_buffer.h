#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

namespace sol {

// A set of rows, a bit a row from row 0 up.
using RowSet = std::uint32_t;
inline constexpr RowSet kAllRows = (RowSet{1} << 25) - 1;
inline constexpr bool hasRow(RowSet rows, int y) {
    return (rows >> y & 1) != 0;
}

// An 80x25 grid of cells that applies the console's writing rules: a two-
// column character fills its cell and the next one, and a character written
// over either column of a two-column character takes the whole of it away.
// Text that would pass the right or bottom edge is dropped, never wrapped.
class ScreenBuffer {
  public:
    static constexpr int kColumns = 80;
    static constexpr int kRows = 25;

    struct Cell {
        char32_t ch = U' ';
        // The right half of the two-column character in the cell before.
        bool continuation = false;
        bool operator==(const Cell&) const = default;
    };

    ScreenBuffer() { clear(); }
    // A copy is a change too: every row counts as changed.
    ScreenBuffer(const ScreenBuffer& other) { *this = other; }
    ScreenBuffer& operator=(const ScreenBuffer& other);

    void clear();
    void moveTo(int x, int y);
    void write(std::string_view utf8);

    const Cell& at(int x, int y) const { return cells_[index(x, y)]; }
    int cursorX() const { return cursorX_; }
    int cursorY() const { return cursorY_; }

    // The text shown in `columns` cells from (x, y): each character once,
    // including a two-column character whose right half lies past the range.
    std::string text(int x, int y, int columns) const;
    std::string row(int y) const { return text(0, y, kColumns); }

    // What changed since last taken: the rows, so that whoever shows the
    // picture looks again only at those (a write that leaves the cells as
    // they were changes no row), and whether the whole was cleared.
    struct Changes {
        RowSet rows = 0;
        bool cleared = false;
    };
    Changes takeChanges() { return std::exchange(changes_, Changes{}); }

    bool operator==(const ScreenBuffer& other) const { return cells_ == other.cells_; }

  private:
    static int index(int x, int y) { return y * kColumns + x; }
    static bool inside(int x, int y) { return x >= 0 && x < kColumns && y >= 0 && y < kRows; }
    void put(char32_t ch);

    std::array<Cell, kColumns * kRows> cells_{};
    Changes changes_{kAllRows, true};
    int cursorX_ = 0;
    int cursorY_ = 0;
};

}  // namespace sol
