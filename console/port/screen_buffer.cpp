#include "console/port/screen_buffer.h"

#include "console/port/text_width.h"

namespace sol {

void ScreenBuffer::clear() {
    cells_.fill(Cell{});
    changes_ = {kAllRows, true};
    cursorX_ = 0;
    cursorY_ = 0;
}

ScreenBuffer& ScreenBuffer::operator=(const ScreenBuffer& other) {
    cells_ = other.cells_;
    cursorX_ = other.cursorX_;
    cursorY_ = other.cursorY_;
    changes_ = {kAllRows, true};
    return *this;
}

void ScreenBuffer::moveTo(int x, int y) {
    cursorX_ = x;
    cursorY_ = y;
}

void ScreenBuffer::write(std::string_view utf8) {
    for (std::size_t pos = 0; pos < utf8.size();) {
        const auto byte = static_cast<unsigned char>(utf8[pos]);
        const char32_t ch = byte < 0x80 ? (++pos, char32_t{byte}) : decodeUtf8(utf8, pos);
        if (ch == U'\n') {
            cursorX_ = 0;
            ++cursorY_;
        } else if (ch >= 0x20 && ch != 0x7F) {
            put(ch);
        }
    }
}

void ScreenBuffer::put(char32_t ch) {
    const int width = columnWidth(ch);
    const int x = cursorX_;
    const int y = cursorY_;
    cursorX_ += width;
    // A character that does not fit whole is not drawn: nothing wraps.
    if (!inside(x, y) || !inside(x + width - 1, y)) {
        return;
    }
    Cell* const row = &cells_[index(0, y)];
    // The same character again changes nothing: a two-column one always
    // carries its right half with it.
    if (row[x].ch == ch && !row[x].continuation) {
        return;
    }
    changes_.rows |= RowSet{1} << y;
    // Take away the two-column characters the new one lands on in part.
    if (row[x].continuation) {
        row[x - 1] = Cell{};
    }
    const Cell& last = row[x + width - 1];
    if (!last.continuation && columnWidth(last.ch) == 2) {
        row[x + width] = Cell{};
    }
    row[x] = Cell{ch, false};
    if (width == 2) {
        row[x + 1] = Cell{U' ', true};
    }
}

std::string ScreenBuffer::text(int x, int y, int columns) const {
    std::string out;
    for (int column = x; column < x + columns && column < kColumns; ++column) {
        const Cell& cell = at(column, y);
        if (!cell.continuation) {
            appendUtf8(out, cell.ch);
        } else if (column == x) {
            out += ' ';  // the right half of a character that starts before the range
        }
    }
    return out;
}

}  // namespace sol
