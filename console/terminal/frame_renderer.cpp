#include "console/terminal/frame_renderer.h"

#include <algorithm>
#include <array>

#include "console/port/text_width.h"

namespace sol {

namespace {

constexpr int kColumns = ScreenBuffer::kColumns;
// With this many rows changed the picture may be cheaper to paint on a
// cleared screen than over what is there.
constexpr int kRowsWorthAClear = 12;

int digits(int n) {
    return n < 10 ? 1 : n < 100 ? 2 : 3;
}

// ESC [ n <final>, where a parameter of 1 may be left out.
int csiCost(int n) {
    return n == 1 ? 3 : 3 + digits(n);
}

void appendNumber(std::string& out, int n) {
    if (n >= 10) {
        appendNumber(out, n / 10);
    }
    out += static_cast<char>('0' + n % 10);
}

void appendCsi(std::string& out, int n, char final) {
    out += "\x1b[";
    if (n != 1) {
        appendNumber(out, n);
    }
    out += final;
}

int glyphBytes(char32_t ch) {
    return ch == kRightHalf ? 0 : ch < 0x80 ? 1 : ch < 0x800 ? 2 : ch < 0x10000 ? 3 : 4;
}

// One way of moving the cursor along its row or down and up its column; the
// kind is the final byte of the sequence, or a control character.
struct Step {
    int cost = 0;
    char kind = '=';
    void consider(int otherCost, char otherKind) {
        if (otherCost < cost) {
            cost = otherCost;
            kind = otherKind;
        }
    }
};

Step horizontal(int from, int to) {
    if (from == to) {
        return {};
    }
    Step best{csiCost(to + 1), 'G'};
    if (to > from) {
        best.consider(csiCost(to - from), 'C');
    } else {
        best.consider(from - to, '\b');
        best.consider(csiCost(from - to), 'D');
    }
    if (to == 0) {
        best.consider(1, '\r');
    } else {
        best.consider(1 + csiCost(to), 'r');  // CR, then forward
    }
    return best;
}

// Down or up, keeping the column. A line feed keeps the column too: the
// terminal consoles turn output processing off, so it is never a CR LF.
Step vertical(int from, int to) {
    if (from == to) {
        return {};
    }
    Step best{csiCost(to + 1), 'd'};
    if (to > from) {
        best.consider(to - from, '\n');
        best.consider(csiCost(to - from), 'B');
    } else {
        best.consider(csiCost(from - to), 'A');
    }
    return best;
}

// Writes a step that horizontal() or vertical() chose; its kind tells which.
void appendStep(std::string& out, Step step, int from, int to) {
    switch (step.kind) {
        case 'G':
        case 'd':
            appendCsi(out, to + 1, step.kind);
            break;
        case 'C':
        case 'B':
            appendCsi(out, to - from, step.kind);
            break;
        case 'D':
        case 'A':
            appendCsi(out, from - to, step.kind);
            break;
        case '\b':
            out.append(static_cast<std::size_t>(from - to), '\b');
            break;
        case '\n':
            out.append(static_cast<std::size_t>(to - from), '\n');
            break;
        case '\r':
            out += '\r';
            break;
        case 'r':
            out += '\r';
            appendCsi(out, to, 'C');
            break;
        default:
            break;
    }
}

int cupCost(int x, int y) {
    if (x == 0) {
        return y == 0 ? 3 : 3 + digits(y + 1);
    }
    return 4 + digits(y + 1) + digits(x + 1);
}

void appendCup(std::string& out, int x, int y) {
    out += "\x1b[";
    if (y != 0 || x != 0) {
        appendNumber(out, y + 1);
    }
    if (x != 0) {
        out += ';';
        appendNumber(out, x + 1);
    }
    out += 'H';
}

// Writes rows of a frame, keeping track of the terminal's cursor.
class Encoder {
  public:
    Encoder(std::string& out, int x, int y) : out_(out), x_(x), y_(y) {}

    int x() const { return x_; }
    int y() const { return y_; }

    void row(int y, const TerminalRow& shown, const TerminalRow& target) {
        std::array<int, kColumns> froms;
        std::array<int, kColumns> tos;
        int count = 0;
        FrameDiff::forEachSpan(shown, target, [&](int from, int to) {
            froms[count] = from;
            tos[count] = to;
            ++count;
        });
        // Where the rest of the row is to be blank, one erase to its end may
        // beat writing the blanks; it goes where the first change past the
        // last character is.
        int tail = kColumns;
        while (tail > 0 && target[tail - 1] == U' ') {
            --tail;
        }
        int first = 0;
        while (first < count && tos[first] <= tail) {
            ++first;
        }
        if (first < count) {
            tail = std::max(tail, froms[first]);
            if (shown[tail] == kRightHalf) {
                ++tail;  // the right half of a character written anew before it
            }
        }
        if (first == count || tail == kColumns) {
            spans(y, target, froms.data(), tos.data(), count, kColumns);
            return;
        }
        std::string erased;
        Encoder viaErase(erased, x_, y_);
        viaErase.spans(y, target, froms.data(), tos.data(), count, tail);
        viaErase.moveTo(tail, y, target);
        erased += "\x1b[K";
        const std::size_t start = out_.size();
        spans(y, target, froms.data(), tos.data(), count, kColumns);
        if (erased.size() < out_.size() - start) {
            out_.resize(start);
            out_ += erased;
            x_ = viaErase.x_;
            y_ = viaErase.y_;
        }
    }

  private:
    // The spans of a row, cut off at column `end`.
    void spans(int y, const TerminalRow& target, const int* froms, const int* tos, int count,
               int end) {
        for (int i = 0; i < count && froms[i] < end; ++i) {
            span(y, froms[i], std::min(tos[i], end), target);
        }
    }

    void span(int y, int from, int to, const TerminalRow& target) {
        moveTo(from, y, target);
        int x = from;
        while (x < to) {
            if (target[x] == U' ') {
                int end = x;
                while (end < to && target[end] == U' ') {
                    ++end;
                }
                const int blanks = end - x;
                const int erase = csiCost(blanks);
                // Erased cells leave the cursor where it was.
                if (end == to ? erase < blanks : erase + csiCost(blanks) < blanks) {
                    appendCsi(out_, blanks, 'X');
                    x_ = x;
                    y_ = y;
                    if (end < to) {
                        appendCsi(out_, blanks, 'C');
                        x_ = end;
                    }
                    x = end;
                    continue;
                }
            }
            x = put(x, y, target);
        }
    }

    // Writes the character at column x and returns the column after it.
    int put(int x, int y, const TerminalRow& target) {
        appendUtf8(out_, target[x]);
        const int next = x + 1 < kColumns && target[x + 1] == kRightHalf ? x + 2 : x + 1;
        // Past the last column the terminal waits to wrap: the cursor's place
        // is no longer to be relied on.
        x_ = next < kColumns ? next : -1;
        y_ = y;
        return next;
    }

    // The cheapest way to (x, y): a move, or on the same row writing again
    // the unchanged cells between.
    void moveTo(int x, int y, const TerminalRow& target) {
        if (x_ == x && y_ == y) {
            return;
        }
        if (x_ < 0) {
            appendCup(out_, x, y);
            x_ = x;
            y_ = y;
            return;
        }
        const Step down = vertical(y_, y);
        const Step along = horizontal(x_, x);
        const int viaColumn = down.cost + along.cost;
        const int best = std::min(cupCost(x, y), viaColumn);
        if (y == y_ && x > x_) {
            int again = 0;
            for (int column = x_; column < x && again < best; ++column) {
                again += glyphBytes(target[column]);
            }
            if (again < best) {
                for (int column = x_; column < x; ++column) {
                    if (target[column] != kRightHalf) {
                        appendUtf8(out_, target[column]);
                    }
                }
                x_ = x;
                return;
            }
        }
        if (viaColumn == best) {
            appendStep(out_, down, y_, y);
            appendStep(out_, along, x_, x);
        } else {
            appendCup(out_, x, y);
        }
        x_ = x;
        y_ = y;
    }

    std::string& out_;
    int x_;
    int y_;
};

}  // namespace

void FrameRenderer::setGlyphWidth(GlyphWidth glyphWidth) {
    if (glyphWidth != diff_.glyphWidth()) {
        diff_.setGlyphWidth(glyphWidth);
        invalidate();
    }
}

void FrameRenderer::invalidate() {
    repaintAll_ = true;
    cursorHidden_ = false;
}

void FrameRenderer::present(const ScreenBuffer& picture, RowSet changed, bool cursorHidden,
                            std::string& out) {
    if (repaintAll_) {
        out += "\x1b[H\x1b[2J";
        diff_.reset();
        cursorX_ = 0;
        cursorY_ = 0;
        repaintAll_ = false;
    }
    if (cursorHidden && !cursorHidden_) {
        out += "\x1b[?25l";
        cursorHidden_ = true;
    }
    const std::vector<int>& rows = diff_.changedRows(picture, changed);
    if (rows.empty()) {
        return;
    }
    if (static_cast<int>(rows.size()) < kRowsWorthAClear) {
        Encoder encoder(out, cursorX_, cursorY_);
        for (const int y : rows) {
            encoder.row(y, diff_.shown(y), diff_.target(y));
        }
        diff_.commit();
        cursorX_ = encoder.x();
        cursorY_ = encoder.y();
        return;
    }
    scratch_.clear();
    Encoder overDiff(scratch_, cursorX_, cursorY_);
    for (const int y : rows) {
        overDiff.row(y, diff_.shown(y), diff_.target(y));
    }
    // Clearing leaves the cursor where it is.
    std::string cleared = "\x1b[2J";
    Encoder overBlank(cleared, cursorX_, cursorY_);
    TerminalRow blank;
    blank.fill(U' ');
    for (int y = 0; y < ScreenBuffer::kRows; ++y) {
        if (diff_.target(y) != blank) {
            overBlank.row(y, blank, diff_.target(y));
        }
    }
    if (cleared.size() < scratch_.size()) {
        out += cleared;
        diff_.commitAll();
        cursorX_ = overBlank.x();
        cursorY_ = overBlank.y();
    } else {
        out += scratch_;
        diff_.commit();
        cursorX_ = overDiff.x();
        cursorY_ = overDiff.y();
    }
}

}  // namespace sol
