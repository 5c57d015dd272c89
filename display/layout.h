#pragma once

// Where everything stands on the screen, as (column, row) from the top-left
// cell, for drawing it and for finding what a press lands on; a column is one
// byte of CP949 text.

#include "display/menu_entries.h"

namespace sol::layout {

struct Pos {
    int x;
    int y;
};

// The table: two fans of fifteen card boxes, each box 8 columns wide and
// overlapping the next by half, and two pile boxes between them.
inline constexpr int kSlots = 15;
inline constexpr int kSlotBoxColumn = 6;  // slot 0; slot k is kSlotStep * k further right
inline constexpr int kSlotStep = 4;
inline constexpr int kFaceInset = 2;  // a face begins this far inside its box
inline constexpr int kComputerBoxRow = 2;
inline constexpr int kComputerFaceRow = 3;  // shape letter; the number below it
inline constexpr int kPlayerBoxRow = 17;
inline constexpr int kPlayerFaceRow = 18;       // suit symbol; the rank below it
inline constexpr int kSelectionMarkerRow = 21;  // " △" from the selected slot's box column
inline constexpr Pos kDiscardBox{30, 9};
inline constexpr Pos kInPlayFace{32, 10};  // suit symbol; the rank below it
inline constexpr Pos kDrawBox{40, 9};
inline constexpr Pos kDrawMarker{41, 13};
inline constexpr Pos kRefusalMessage{32, 15};
inline constexpr Pos kRecycleMessage{35, 15};

// The result banners: five rows of art, then the prompt.
inline constexpr Pos kBannerArt{20, 8};
inline constexpr Pos kBannerPrompt{30, 13};

// The main menu: three boxed entries, the marker left of the one selected.
inline constexpr Pos kMenuCredit{70, 1};  // the second credit line is one row below
inline constexpr Pos kMenuTitle{30, 2};
inline constexpr int kMenuBoxColumn = 30;
inline constexpr int kMenuMarkerColumn = 28;
inline constexpr int kMenuFirstEntryRow = 6;  // the middle row of entry 1's box
inline constexpr int kMenuEntryStep = 4;

// The rules screen: every line starts in this column.
inline constexpr int kRulesColumn = 2;

// The sizes of the boxes, for finding what a press lands on.
inline constexpr int kCardBoxWidth = 8;
inline constexpr int kCardBoxHeight = 4;
inline constexpr int kMenuBoxWidth = 23;

constexpr bool inBox(int x, int y, Pos box, int width, int height) {
    return x >= box.x && x < box.x + width && y >= box.y && y < box.y + height;
}

constexpr int slotBoxColumn(int slot) {
    return kSlotBoxColumn + kSlotStep * slot;
}

constexpr int slotFaceColumn(int slot) {
    return slotBoxColumn(slot) + kFaceInset;
}

// `entry` counts from 1, as the menu does.
constexpr int menuEntryRow(int entry) {
    return kMenuFirstEntryRow + kMenuEntryStep * (entry - 1);
}

// The player's slot whose box shows at (x, y), 0 to 14; -1 for none. Each
// box but the last is half covered by the next, so a press belongs to the
// box seen there.
constexpr int playerSlotAt(int x, int y) {
    const int first = slotBoxColumn(0);
    const int last = slotBoxColumn(kSlots - 1);
    if (!inBox(x, y, {first, kPlayerBoxRow}, last + kCardBoxWidth - first, kCardBoxHeight)) {
        return -1;
    }
    return x >= last ? kSlots - 1 : (x - first) / kSlotStep;
}

constexpr bool onDrawPile(int x, int y) {
    return inBox(x, y, kDrawBox, kCardBoxWidth, kCardBoxHeight);
}

// The menu entry, 1 to 3, whose box (its three rows) holds (x, y); 0 for none.
constexpr int menuEntryAt(int x, int y) {
    for (int entry = 1; entry <= kMenuEntryCount; ++entry) {
        if (inBox(x, y, {kMenuBoxColumn, menuEntryRow(entry) - 1}, kMenuBoxWidth, 3)) {
            return entry;
        }
    }
    return 0;
}

}  // namespace sol::layout
