#pragma once

// A small model of a terminal for tests: it understands the control sequences
// the renderer sends (moves, erases, CR, LF with output processing off,
// backspace) and draws glyphs one or two columns wide like a real terminal of
// either kind would, wrapping only when a character follows one written in
// the last column.

#include <algorithm>
#include <array>
#include <string>
#include <string_view>

#include "console/port/text_width.h"
#include "console/terminal/frame_renderer.h"

namespace sol::testing_support {

class TerminalModel {
  public:
    explicit TerminalModel(GlyphWidth glyphWidth) : glyphWidth_(glyphWidth) { cells_.fill(U' '); }

    void feed(std::string_view bytes) {
        for (std::size_t pos = 0; pos < bytes.size();) {
            if (bytes[pos] == '\x1b') {
                pos = control(bytes, pos);
                continue;
            }
            const char32_t ch = decodeUtf8(bytes, pos);
            if (ch == U'\r') {
                x_ = 0;
            } else if (ch == U'\n') {
                ++y_;
            } else if (ch == U'\b') {
                x_ = std::min(x_, kColumns - 1) - 1;
            } else {
                put(ch);
            }
        }
    }

    // What the cell shows: a glyph, or U'\0' for the right half of a wide one.
    char32_t at(int x, int y) const { return cells_[y * kColumns + x]; }
    bool cursorVisible() const { return cursorVisible_; }

    static constexpr int kColumns = 80;
    static constexpr int kRows = 25;

  private:
    std::size_t control(std::string_view bytes, std::size_t pos) {
        // ESC [ params final
        std::size_t end = pos + 2;
        while (end < bytes.size() && !(bytes[end] >= 0x40 && bytes[end] <= 0x7E)) {
            ++end;
        }
        const std::string params(bytes.substr(pos + 2, end - pos - 2));
        const int n = params.empty() || params[0] == '?' ? 1 : std::stoi(params);
        const int x = std::min(x_, kColumns - 1);  // a pending wrap ends with any move
        switch (bytes[end]) {
            case 'H': {
                const auto semicolon = params.find(';');
                y_ = params.empty() ? 0 : n - 1;
                x_ = semicolon == std::string::npos ? 0
                                                    : std::stoi(params.substr(semicolon + 1)) - 1;
                break;
            }
            case 'A':
            case 'B':
            case 'd':
                y_ = bytes[end] == 'd' ? n - 1 : y_ + (bytes[end] == 'B' ? n : -n);
                x_ = x;
                break;
            case 'C':
            case 'D':
            case 'G':
                x_ = bytes[end] == 'G' ? n - 1 : x + (bytes[end] == 'C' ? n : -n);
                break;
            case 'X':
                blank(y_ * kColumns + x, y_ * kColumns + std::min(x + n, kColumns));
                break;
            case 'K':
                blank(y_ * kColumns + x, (y_ + 1) * kColumns);
                break;
            case 'J':
                blank(params == "2" ? 0 : y_ * kColumns + x, kColumns * kRows);
                break;
            case 'h':
            case 'l':
                cursorVisible_ = params == "?25" ? bytes[end] == 'h' : cursorVisible_;
                break;
        }
        return end + 1;
    }

    void blank(int from, int to) { std::fill(cells_.begin() + from, cells_.begin() + to, U' '); }

    void put(char32_t ch) {
        if (x_ >= kColumns) {  // the wrap that was pending
            x_ = 0;
            ++y_;
        }
        const bool wide =
            columnWidth(ch) == 2 && (drawnWideEverywhere(ch) || glyphWidth_ == GlyphWidth::Wide);
        cells_.at(y_ * kColumns + x_) = ch;  // off the screen is a fault of the sender
        if (wide && x_ + 1 < kColumns) {
            cells_[y_ * kColumns + x_ + 1] = U'\0';
        }
        x_ += wide ? 2 : 1;
    }

    GlyphWidth glyphWidth_;
    std::array<char32_t, kColumns * kRows> cells_{};
    int x_ = 0;
    int y_ = 0;
    bool cursorVisible_ = true;
};

}  // namespace sol::testing_support
