#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace sol {

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
    // A copy is a change too: it takes a new stamp for every row.
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

    // Every change to any buffer takes the next number of one process-wide
    // count; a row keeps the number of its last change. So whoever copies the
    // picture out can look again only at rows changed since, and a write that
    // leaves the cells as they were changes no number.
    std::uint64_t rowStamp(int y) const { return rowStamps_[y]; }
    std::uint64_t stamp() const { return stamp_; }

    bool operator==(const ScreenBuffer& other) const { return cells_ == other.cells_; }

  private:
    static int index(int x, int y) { return y * kColumns + x; }
    static bool inside(int x, int y) { return x >= 0 && x < kColumns && y >= 0 && y < kRows; }
    void put(char32_t ch);
    void stampChangedRows();
    void stampAllRows();

    std::array<Cell, kColumns * kRows> cells_{};
    std::array<std::uint64_t, kRows> rowStamps_{};
    std::uint64_t stamp_ = 0;
    std::uint32_t changedRows_ = 0;  // by the write in progress, a bit a row
    int cursorX_ = 0;
    int cursorY_ = 0;
};

}  // namespace sol
