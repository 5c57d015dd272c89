#include "console/screen_buffer.h"

#include <atomic>

#include "console/text_width.h"

namespace sol {

namespace {

std::atomic<std::uint64_t> gLastStamp{0};

}  // namespace

void ScreenBuffer::stampChangedRows() {
    stamp_ = gLastStamp.fetch_add(1, std::memory_order_relaxed) + 1;
    for (int y = 0; y < kRows; ++y) {
        if (changedRows_ & (1u << y)) {
            rowStamps_[y] = stamp_;
        }
    }
    changedRows_ = 0;
}

void ScreenBuffer::stampAllRows() {
    stamp_ = gLastStamp.fetch_add(1, std::memory_order_relaxed) + 1;
    rowStamps_.fill(stamp_);
}

void ScreenBuffer::clear() {
    cells_.fill(Cell{});
    stampAllRows();
    cursorX_ = 0;
    cursorY_ = 0;
}

ScreenBuffer& ScreenBuffer::operator=(const ScreenBuffer& other) {
    cells_ = other.cells_;
    cursorX_ = other.cursorX_;
    cursorY_ = other.cursorY_;
    stampAllRows();
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
    if (changedRows_ != 0) {
        stampChangedRows();
    }
}

void ScreenBuffer::eraseCharacterAt(int x, int y) {
    Cell& cell = cells_[index(x, y)];
    if (cell.continuation) {
        cells_[index(x - 1, y)] = Cell{};
    } else if (columnWidth(cell.ch) == 2 && x + 1 < kColumns) {
        cells_[index(x + 1, y)] = Cell{};
    }
    cell = Cell{};
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
    // The same character again changes nothing: a two-column one always
    // carries its right half with it.
    const Cell& old = cells_[index(x, y)];
    if (old.ch == ch && !old.continuation) {
        return;
    }
    changedRows_ |= 1u << y;
    for (int column = x; column < x + width; ++column) {
        eraseCharacterAt(column, y);
    }
    cells_[index(x, y)] = Cell{ch, false};
    if (width == 2) {
        cells_[index(x + 1, y)] = Cell{U' ', true};
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
