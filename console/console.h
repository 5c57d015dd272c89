#pragma once

#include <string_view>

#include "console/input.h"

namespace sol {

// The operations every screen of the game is drawn with. Positions are
// (column, row) from the top-left cell; columns count an ASCII character as
// one and every other character as two.
class Console {
  public:
    virtual ~Console() = default;

    // The text cursor is invisible from now on; hiding twice changes nothing.
    virtual void hideCursor() = 0;
    // The next text written begins at column x of row y. Both are narrowed to
    // 16 bits, as the console's coordinates are.
    virtual void gotoXY(int x, int y) = 0;
    // Every cell is blank and the cursor stands at (0, 0).
    virtual void clearScreen() = 0;
    // UTF-8 text from the cursor on; "\n" goes to column 0 of the next row.
    virtual void write(std::string_view text) = 0;
    // Waits for one key or press. A key comes with its code: 13 for Enter, an
    // arrow as the prefix 224 and then 72, 80, 75 or 77 on the next read, a
    // typed character as its code. Everything written is on the screen before
    // the wait begins.
    virtual Input readInput() = 0;
    // A sentence for a player who listens rather than looks, saying what the
    // screen has just come to show. Only a console with a listener (the
    // page's) passes it on; elsewhere nothing is said.
    virtual void say(std::string_view sentence) { (void)sentence; }
};

}  // namespace sol
