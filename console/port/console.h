#pragma once

#include <cstdint>
#include <string_view>

#include "console/port/input.h"
#include "console/port/screen_buffer.h"

namespace sol {

// What every screen of the game is drawn through. The drawing is done here
// alone, into the one picture; a backend (a terminal, the Windows console,
// the page, a test) shows that picture whenever input is asked for, and
// delivers the input. Positions are (column, row) from the top-left cell;
// columns count an ASCII character as one and every other character as two.
class Console {
  public:
    virtual ~Console() = default;
    Console(const Console&) = delete;
    Console& operator=(const Console&) = delete;

    // The text cursor is invisible from now on; hiding twice changes nothing.
    void hideCursor() { cursorHidden_ = true; }
    // The next text written begins at column x of row y. Both are narrowed to
    // 16 bits, as the console's coordinates are.
    void gotoXY(int x, int y) {
        picture_.moveTo(static_cast<std::int16_t>(x), static_cast<std::int16_t>(y));
    }
    // Every cell is blank and the cursor stands at (0, 0).
    void clearScreen() { picture_.clear(); }
    // UTF-8 text from the cursor on; "\n" goes to column 0 of the next row.
    void write(std::string_view text) { picture_.write(text); }

    // Waits for one key or press. A key comes with its code: 13 for Enter, an
    // arrow as the prefix 224 and then 72, 80, 75 or 77 on the next read, a
    // typed character as its code. The picture is on the screen before the
    // wait begins.
    virtual Input readInput() = 0;
    // A sentence for a player who listens rather than looks, saying what the
    // screen has just come to show. Only a backend with a listener (the
    // page's) passes it on; elsewhere nothing is said.
    virtual void say(std::string_view sentence) { (void)sentence; }

    const ScreenBuffer& picture() const { return picture_; }
    bool cursorHidden() const { return cursorHidden_; }

  protected:
    Console() = default;
    // What changed since the backend last took it.
    ScreenBuffer::Changes takeChanges() { return picture_.takeChanges(); }

  private:
    ScreenBuffer picture_;
    bool cursorHidden_ = false;
};

}  // namespace sol
