#include <gtest/gtest.h>

#include <vector>

#include "console/windows/input_records.h"

namespace sol::win {
namespace {

std::vector<Input> drain(RecordDecoder& decoder) {
    std::vector<Input> inputs;
    while (decoder.hasInput()) {
        inputs.push_back(decoder.next());
    }
    return inputs;
}

std::vector<Input> keys(std::initializer_list<int> codes) {
    std::vector<Input> inputs;
    for (const int code : codes) {
        inputs.push_back(Input::key(code));
    }
    return inputs;
}

KeyRecord typed(std::string text, int scan = 0) {
    KeyRecord r;
    r.text = std::move(text);
    r.scanCode = scan;
    return r;
}

KeyRecord block(int scan, bool enhanced = true) {
    KeyRecord r;
    r.scanCode = scan;
    r.enhanced = enhanced;
    return r;
}

KeyRecord with(KeyRecord r, bool shift, bool ctrl, bool alt) {
    r.shift = shift;
    r.ctrl = ctrl;
    r.alt = alt;
    return r;
}

TEST(WindowsInputRecords, KeysComeAsTheOriginalKeyReadGaveThem) {
    struct Case {
        const char* what;
        std::vector<KeyRecord> records;
        std::vector<Input> expected;
    };
    const Case cases[] = {
        {"Enter, a letter, Escape",
         {typed("\r", 28), typed("x", 45), typed("\x1b", 1)},
         keys({13, 'x', 27})},
        {"a Korean syllable, two code-page bytes", {typed("\xb0\xa1")}, keys({0xb0, 0xa1})},
        {"the arrows, Shift+right too",
         {block(72), block(80), block(75), block(77), with(block(77), true, false, false)},
         keys({224, 72, 224, 80, 224, 75, 224, 77, 224, 77})},
        // Keys the game passes over come as two codes; Num Lock decides the keypad.
        {"passed-over keys and the keypad",
         {block(71), with(block(72), false, true, false), block(59, false), block(72, false),
          typed("8", 72), with(typed("x", 45), false, false, true)},
         keys({224, 71, 224, 141, 0, 59, 0, 72, '8', 0, 45})},
        {"AltGr and a character is the character",
         {with(typed("@", 16), false, true, true)},
         keys({'@'})},
        {"Shift alone", {block(42, false)}, keys({})},
    };
    for (const Case& c : cases) {
        RecordDecoder decoder;
        for (const KeyRecord& record : c.records) {
            decoder.add(record);
        }
        EXPECT_EQ(drain(decoder), c.expected) << c.what;
    }
}

TEST(WindowsInputRecords, ReleasesTypeNothingAndRepeatsTypeEachTime) {
    RecordDecoder decoder;
    KeyRecord up = block(77);
    up.down = false;
    decoder.add(up);
    EXPECT_FALSE(decoder.hasInput());
    KeyRecord held = block(77);
    held.repeat = 2;
    decoder.add(held);
    EXPECT_EQ(drain(decoder), keys({224, 77, 224, 77}));
}

TEST(WindowsInputRecords, OnlyTheMainButtonGoingDownIsAPress) {
    RecordDecoder decoder;
    decoder.add(MouseRecord{10, 20, false, true});   // motion
    decoder.add(MouseRecord{30, 12, true, false});   // down
    decoder.add(MouseRecord{31, 12, true, true});    // dragged
    decoder.add(MouseRecord{31, 12, true, false});   // another button while held
    decoder.add(MouseRecord{31, 12, false, false});  // up
    decoder.add(MouseRecord{5, 3, true, true});      // a double click's second half
    decoder.add(MouseRecord{5, 3, false, false});
    decoder.add(MouseRecord{6, 4, false, false});  // the right button: main button up
    EXPECT_EQ(drain(decoder), std::vector<Input>{Input::press(30, 12)});
}

TEST(WindowsInputRecords, KeysAndPressesKeepTheirOrder) {
    RecordDecoder decoder;
    decoder.add(block(77));
    decoder.add(MouseRecord{79, 24, true, false});
    decoder.add(typed("\r", 28));
    EXPECT_EQ(drain(decoder), (std::vector<Input>{Input::key(224), Input::key(77),
                                                  Input::press(79, 24), Input::key(13)}));
}

}  // namespace
}  // namespace sol::win
