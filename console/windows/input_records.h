#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <string>

#include "console/port/input.h"
#include "console/port/key_codes.h"

namespace sol::win {

// What the game needs of a console input record, in portable types so that
// the mapping is tested on every platform. The Windows console fills these
// from KEY_EVENT and MOUSE_EVENT records.
struct KeyRecord {
    bool down = true;
    int repeat = 1;
    int scanCode = 0;
    bool enhanced = false;  // a key of the cursor block or the numeric keypad's Enter and /
    bool shift = false;
    bool ctrl = false;
    bool alt = false;
    // The character typed, in the console's input code page: one byte, two
    // for a Korean syllable, none for a key that types nothing.
    std::string text;
};

struct MouseRecord {
    int x = 0;  // the cell, in the buffer's coordinates, which are the game's
    int y = 0;
    bool leftDown = false;  // the main button is held now
    bool moved = false;     // motion, a double click's second half, a wheel
};

// Turns records into the game's inputs: a key read as the original console's
// key read gave it (a cursor-block or F11/F12 key as 224 and a code, the other
// two-code keys as 0 and a code), a press when the main button goes down.
class RecordDecoder {
  public:
    void add(const KeyRecord& record) {
        if (!record.down) {
            return;
        }
        for (int i = 0; i < record.repeat; ++i) {
            addKey(record);
        }
    }

    void add(const MouseRecord& record) {
        if (record.leftDown && !leftDown_ && !record.moved) {
            inputs_.push_back(Input::press(record.x, record.y));
        }
        leftDown_ = record.leftDown;
    }

    bool hasInput() const { return !inputs_.empty(); }

    Input next() {
        const Input input = inputs_.front();
        inputs_.pop_front();
        return input;
    }

  private:
    void pair(key::Pair keys) {
        inputs_.push_back(Input::key(keys.prefix));
        inputs_.push_back(Input::key(keys.code));
    }

    void addKey(const KeyRecord& r) {
        // Scan codes of the PC keyboard.
        constexpr int kF1Scan = 59, kF10Scan = 68, kF11Scan = 87, kF12Scan = 88;
        constexpr int kUpScan = 72, kLeftScan = 75, kRightScan = 77, kDownScan = 80;
        const int scan = r.scanCode;
        const key::Modifiers mods{r.shift, r.alt, r.ctrl};
        if (scan >= kF1Scan && scan <= kF10Scan) {
            pair(key::functionKey(scan - kF1Scan, mods));
            return;
        }
        if (scan == kF11Scan || scan == kF12Scan) {
            pair(key::f11Key(scan - kF11Scan, mods));
            return;
        }
        const bool cursorBlock = scan >= key::kHome && scan <= key::kDelete;
        if (cursorBlock && (r.enhanced || r.text.empty())) {
            const auto arrow = scan == kUpScan      ? key::Arrow::Up
                               : scan == kDownScan  ? key::Arrow::Down
                               : scan == kLeftScan  ? key::Arrow::Left
                               : scan == kRightScan ? key::Arrow::Right
                                                    : std::optional<key::Arrow>{};
            if (arrow && (r.ctrl || r.alt)) {
                pair(key::arrowKey(*arrow, mods));
            } else {
                // The keypad's keys with Num Lock off have the same codes
                // after 0; the cursor block's after 224.
                pair({r.enhanced ? key::kPrefix : key::kPadPrefix, scan});
            }
            return;
        }
        if (r.alt && !r.ctrl && r.text.size() == 1 && scan != 0) {
            // Alt and a letter: its scan code; Alt and a digit: 120 on.
            const char c = r.text[0];
            pair({key::kPadPrefix, c >= '1' && c <= '9' ? key::kAltDigit1 + (c - '1')
                                   : c == '0'           ? key::kAltDigit1 + 9
                                                        : scan});
            return;
        }
        for (const char byte : r.text) {
            inputs_.push_back(Input::key(static_cast<unsigned char>(byte)));
        }
    }

    std::deque<Input> inputs_;
    bool leftDown_ = false;
};

}  // namespace sol::win
