#pragma once

// ncurses fed the same sequence of screens, for comparison: each frame's
// changed rows are put on its standard screen cell by cell and refreshed
// into a pipe, as for an xterm-256color of 80x25, with the cursor hidden.
// By default ncurses puts the cursor back where the program left it after
// every refresh, as a program drawing with it would have it; with `leaveOk`
// it leaves the cursor wherever is cheapest.

#include <curses.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>

#include "console/terminal/frame_diff.h"

namespace sol::bench {

class NcursesScreen {
  public:
    using Rows = std::array<TerminalRow, ScreenBuffer::kRows>;

    NcursesScreen(GlyphWidth glyphWidth, bool leaveOk) : glyphWidth_(glyphWidth) {
        // ncurses writes to the descriptor itself; no frame fills the pipe.
        if (pipe(pipe_) != 0) {
            throw std::runtime_error("no pipe for ncurses");
        }
        fcntl(pipe_[0], F_SETFL, O_NONBLOCK);
        out_ = fdopen(pipe_[1], "w");
        in_ = std::fopen("/dev/null", "r");
        setenv("LINES", "25", 1);
        setenv("COLUMNS", "80", 1);
        screen_ = newterm("xterm-256color", out_, in_);
        if (screen_ == nullptr) {
            throw std::runtime_error("ncurses has no xterm-256color");
        }
        set_term(screen_);
        leaveok(stdscr, leaveOk ? TRUE : FALSE);
        curs_set(0);
        refresh();
        drain();
        TerminalRow blank;
        blank.fill(U' ');
        shown_.fill(blank);
    }
    ~NcursesScreen() {
        set_term(screen_);
        endwin();
        delscreen(screen_);
        std::fclose(out_);
        std::fclose(in_);
        close(pipe_[0]);
    }
    NcursesScreen(const NcursesScreen&) = delete;
    NcursesScreen& operator=(const NcursesScreen&) = delete;

    // The bytes that bring the terminal to `target`, with the program's
    // cursor at (cursorX, cursorY).
    std::size_t frame(const Rows& target, int cursorX, int cursorY) {
        set_term(screen_);
        for (int y = 0; y < ScreenBuffer::kRows; ++y) {
            if (target[y] == shown_[y]) {
                continue;
            }
            for (int x = 0; x < ScreenBuffer::kColumns; ++x) {
                if (target[y][x] != kRightHalf) {
                    put(x, y, target[y][x]);
                }
            }
            shown_[y] = target[y];
        }
        move(std::clamp(cursorY, 0, ScreenBuffer::kRows - 1),
             std::clamp(cursorX, 0, ScreenBuffer::kColumns - 1));
        refresh();
        return drain();
    }

  private:
    std::size_t drain() {
        std::fflush(out_);
        std::size_t total = 0;
        char buffer[65536];
        ssize_t n;
        while ((n = read(pipe_[0], buffer, sizeof buffer)) > 0) {
            total += static_cast<std::size_t>(n);
        }
        return total;
    }

    void put(int x, int y, char32_t ch) {
        // On a wide terminal a glyph takes two columns, which ncurses knows
        // only of CJK: an ideograph of the same UTF-8 length stands in.
        if (glyphWidth_ == GlyphWidth::Wide && ch >= 0x2000 && ch < 0x3000) {
            ch = 0x4E00 + (ch - 0x2000);
        }
        const wchar_t text[2] = {static_cast<wchar_t>(ch), L'\0'};
        cchar_t cell;
        setcchar(&cell, text, A_NORMAL, 0, nullptr);
        mvadd_wch(y, x, &cell);
    }

    GlyphWidth glyphWidth_;
    FILE* out_ = nullptr;
    FILE* in_ = nullptr;
    int pipe_[2] = {-1, -1};
    SCREEN* screen_ = nullptr;
    Rows shown_{};
};

}  // namespace sol::bench
