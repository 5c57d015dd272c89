#pragma once

// Where everything stands on the screen, as (column, row) from the top-left
// cell; a column is one byte of CP949 text. The end-to-end scripts read this
// file too, so every value is a plain `int` or `Pos` literal.

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

}  // namespace sol::layout
