#include "display/table.h"

#include "display/layout.h"
#include "display/outer_frame.h"

namespace sol {
namespace {

constexpr const char* kBoxTop = "┏━━┓";
constexpr const char* kBoxMiddle = "┃    ┃";
constexpr const char* kBoxBottom = "┗━━┛";

void drawBox(Console& console, layout::Pos at) {
    const char* const lines[] = {kBoxTop, kBoxMiddle, kBoxMiddle, kBoxBottom};
    for (int i = 0; i < 4; ++i) {
        console.gotoXY(at.x, at.y + i);
        console.write(lines[i]);
    }
}

// Left to right, so each box covers the right half of the one before and the
// row reads as a fan of cards.
void drawSlotRow(Console& console, int y) {
    for (int slot = 0; slot < layout::kSlots; ++slot) {
        drawBox(console, {layout::slotBoxColumn(slot), y});
    }
}

}  // namespace

void drawTable(Console& console) {
    console.hideCursor();
    console.clearScreen();
    drawOuterFrame(console);
    drawSlotRow(console, layout::kComputerBoxRow);
    drawSlotRow(console, layout::kPlayerBoxRow);
    drawBox(console, layout::kDiscardBox);
    drawBox(console, layout::kDrawBox);
}

}  // namespace sol
