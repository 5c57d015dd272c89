#pragma once

// A small model of a terminal for tests: it understands the control sequences
// the renderer sends and draws glyphs one or two columns wide like a real
// terminal of either kind would.

#include <array>
#include <string>
#include <string_view>

#include "console/frame_renderer.h"
#include "console/text_width.h"

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
            put(decodeUtf8(bytes, pos));
        }
    }

    // What the cell shows: a glyph, or U'\0' for the right half of a wide one.
    char32_t at(int x, int y) const { return cells_[y * kColumns + x]; }
    bool cursorVisible() const { return cursorVisible_; }
    int clears() const { return clears_; }

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
        const char final = bytes[end];
        if (final == 'H') {
            const auto semicolon = params.find(';');
            y_ = params.empty() ? 0 : std::stoi(params.substr(0, semicolon)) - 1;
            x_ = semicolon == std::string::npos ? 0 : std::stoi(params.substr(semicolon + 1)) - 1;
        } else if (final == 'C') {
            x_ += params.empty() ? 1 : std::stoi(params);
        } else if (final == 'J' && params == "2") {
            cells_.fill(U' ');
            ++clears_;
        } else if (params == "?25") {
            cursorVisible_ = final == 'h';
        }
        return end + 1;
    }

    void put(char32_t ch) {
        const bool wide =
            columnWidth(ch) == 2 && (drawnWideEverywhere(ch) || glyphWidth_ == GlyphWidth::Wide);
        if (x_ < kColumns) {
            cells_[y_ * kColumns + x_] = ch;
        }
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
    int clears_ = 0;
};

}  // namespace sol::testing_support
