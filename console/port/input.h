#pragma once

namespace sol {

// One thing the player did: a key, with the codes of the original console
// (Enter 13; an arrow the prefix 224, then 72, 80, 75 or 77 on the next
// read), or a press of the main mouse button, or a tap, at a screen cell.
struct Input {
    enum class Kind { Key, Press };

    Kind kind = Kind::Key;
    int code = 0;  // a key's code
    int x = 0;     // a press's column and row, from (0, 0) at the top left
    int y = 0;

    static constexpr Input key(int code) { return {Kind::Key, code, 0, 0}; }
    static constexpr Input press(int x, int y) { return {Kind::Press, 0, x, y}; }

    constexpr bool isKey(int c) const { return kind == Kind::Key && code == c; }
    constexpr bool isPress() const { return kind == Kind::Press; }
    constexpr bool operator==(const Input&) const = default;
};

}  // namespace sol
