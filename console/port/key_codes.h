#pragma once

namespace sol::key {

// The codes of the original console's key read.
inline constexpr int kEnter = 13;
inline constexpr int kEscape = 27;
inline constexpr int kPrefix = 224;   // before a cursor-block key's own code
inline constexpr int kPadPrefix = 0;  // before an F-key's, Alt-key's or Ctrl-@'s own code
inline constexpr int kUp = 72;
inline constexpr int kDown = 80;
inline constexpr int kLeft = 75;
inline constexpr int kRight = 77;
inline constexpr int kHome = 71;
inline constexpr int kEnd = 79;
inline constexpr int kPageUp = 73;
inline constexpr int kPageDown = 81;
inline constexpr int kInsert = 82;
inline constexpr int kDelete = 83;
inline constexpr int kPadCentre = 76;  // keypad 5 without Num Lock
inline constexpr int kF1 = 59;         // F1..F10 are 59..68 after kPadPrefix
inline constexpr int kShiftF1 = 84;    // Shift+F1..F10 are 84..93 after kPadPrefix
inline constexpr int kCtrlF1 = 94;     // Ctrl+F1..F10 are 94..103
inline constexpr int kAltF1 = 104;     // Alt+F1..F10 are 104..113
inline constexpr int kF11 = 133;       // F11, F12 are 133, 134 after kPrefix
inline constexpr int kF12 = 134;
inline constexpr int kCtrlUp = 141;  // Ctrl+arrows after kPrefix
inline constexpr int kCtrlDown = 145;
inline constexpr int kCtrlLeft = 115;
inline constexpr int kCtrlRight = 116;
inline constexpr int kAltUp = 152;  // Alt+arrows after kPadPrefix
inline constexpr int kAltDown = 160;
inline constexpr int kAltLeft = 155;
inline constexpr int kAltRight = 157;
inline constexpr int kCtrlAt = 3;     // Ctrl-@ (Ctrl-Space, NUL) after kPadPrefix
inline constexpr int kShiftTab = 15;  // after kPadPrefix
// Alt+letter is kPadPrefix and the letter's scan code; Alt+0..9 are 129, 120..128.
inline constexpr int kAltDigit1 = 120;

// The modifier keys held with a key.
struct Modifiers {
    bool shift = false;
    bool alt = false;
    bool ctrl = false;
};

// A key that comes as two codes, the prefix first.
struct Pair {
    int prefix;
    int code;
};

// F1..F10 (`index` 0..9); of the modifiers, Ctrl counts over Alt over Shift.
constexpr Pair functionKey(int index, Modifiers mods) {
    const int base = mods.ctrl ? kCtrlF1 : mods.alt ? kAltF1 : mods.shift ? kShiftF1 : kF1;
    return {kPadPrefix, base + index};
}

// F11 and F12 (`index` 0 and 1): Shift, Ctrl and Alt give the codes two, four
// and six further on.
constexpr Pair f11Key(int index, Modifiers mods) {
    return {kPrefix, kF11 + index + (mods.ctrl ? 4 : mods.alt ? 6 : mods.shift ? 2 : 0)};
}

// In the order of the final bytes of their terminal sequences, A to D.
enum class Arrow { Up, Down, Right, Left };

// An arrow: Shift is the arrow itself, Ctrl and Alt have codes of their own.
constexpr Pair arrowKey(Arrow arrow, Modifiers mods) {
    constexpr int kPlain[] = {kUp, kDown, kRight, kLeft};
    constexpr int kCtrl[] = {kCtrlUp, kCtrlDown, kCtrlRight, kCtrlLeft};
    constexpr int kAlt[] = {kAltUp, kAltDown, kAltRight, kAltLeft};
    const int i = static_cast<int>(arrow);
    return mods.ctrl  ? Pair{kPrefix, kCtrl[i]}
           : mods.alt ? Pair{kPadPrefix, kAlt[i]}
                      : Pair{kPrefix, kPlain[i]};
}

}  // namespace sol::key
