#pragma once

namespace sol::key {

// The codes of the original console's key read.
inline constexpr int kEnter = 13;
inline constexpr int kEscape = 27;
inline constexpr int kPrefix = 224;   // before a cursor-block key's own code
inline constexpr int kPadPrefix = 0;  // before an F-key's own code
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
inline constexpr int kF1 = 59;    // F1..F10 are 59..68 after kPadPrefix
inline constexpr int kF11 = 133;  // F11, F12 are 133, 134 after kPrefix
inline constexpr int kF12 = 134;

}  // namespace sol::key
