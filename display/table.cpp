#include "display/table.h"

#include "display/outer_frame.h"

namespace sol {
namespace {

constexpr const char* kBoxTop = "┏━━┓";
constexpr const char* kBoxMiddle = "┃    ┃";
constexpr const char* kBoxBottom = "┗━━┛";

constexpr int kSlots = 15;
constexpr int kComputerRow = 2;
constexpr int kPlayerRow = 17;
constexpr int kPileRow = 9;
constexpr int kDiscardColumn = 30;
constexpr int kDrawColumn = 40;

void drawBox(Console& console, int x, int y) {
    console.gotoXY(x, y);
    console.write(kBoxTop);
    console.gotoXY(x, y + 1);
    console.write(kBoxMiddle);
    console.gotoXY(x, y + 2);
    console.write(kBoxMiddle);
    console.gotoXY(x, y + 3);
    console.write(kBoxBottom);
}

// Left to right, so each box covers the right half of the one before and the
// row reads as a fan of cards.
void drawSlotRow(Console& console, int y) {
    for (int i = 0; i < kSlots; ++i) {
        drawBox(console, i * 4 + 6, y);
    }
}

}  // namespace

void drawTable(Console& console) {
    console.hideCursor();
    console.clearScreen();
    drawOuterFrame(console);
    drawSlotRow(console, kComputerRow);
    drawSlotRow(console, kPlayerRow);
    drawBox(console, kDiscardColumn, kPileRow);
    drawBox(console, kDrawColumn, kPileRow);
}

}  // namespace sol
