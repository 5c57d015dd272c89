#include "display/table.h"

#include <gtest/gtest.h>

#include <string>

#include "console/memory_console.h"

namespace sol {
namespace {

const std::string kEmptyRow(80, ' ');

TEST(Table, DrawsAFanOfFifteenBoxesPerSideAndTwoPileBoxes) {
    MemoryConsole console;
    console.gotoXY(32, 15);
    console.write("left over from before");
    drawTable(console);
    EXPECT_TRUE(console.cursorHidden());
    EXPECT_EQ(console.clearCount(), 1);
    for (const int top : {2, 17}) {
        // Boxes 0..13 show their left half; box 14 is seen whole.
        for (int i = 0; i < 14; ++i) {
            const int x = i * 4 + 6;
            EXPECT_EQ(console.text(x, top, 4), "┏━") << "box " << i;
            EXPECT_EQ(console.text(x, top + 1, 4), "┃  ") << "box " << i;
            EXPECT_EQ(console.text(x, top + 2, 4), "┃  ") << "box " << i;
            EXPECT_EQ(console.text(x, top + 3, 4), "┗━") << "box " << i;
        }
        EXPECT_EQ(console.text(62, top, 8), "┏━━┓");
        EXPECT_EQ(console.text(62, top + 1, 8), "┃    ┃");
        EXPECT_EQ(console.text(62, top + 3, 8), "┗━━┛");
        EXPECT_EQ(console.text(70, top, 7), std::string(7, ' '));
    }
    for (const int x : {30, 40}) {
        EXPECT_EQ(console.text(x, 9, 8), "┏━━┓");
        EXPECT_EQ(console.text(x, 10, 8), "┃    ┃");
        EXPECT_EQ(console.text(x, 11, 8), "┃    ┃");
        EXPECT_EQ(console.text(x, 12, 8), "┗━━┛");
    }
    EXPECT_EQ(console.text(38, 10, 2), "  ");
    EXPECT_EQ(console.text(3, 15, 74), std::string(74, ' ')) << "the message line is wiped";
    EXPECT_EQ(console.text(1, 0, 4), "┏━");
    EXPECT_EQ(console.text(77, 23, 2), "┛");
    EXPECT_EQ(console.row(24), kEmptyRow);
    for (int y = 0; y < 25; ++y) {
        EXPECT_EQ(console.text(79, y, 1), " ") << "row " << y;
    }
}

TEST(Table, IsTheSamePictureEveryTime) {
    MemoryConsole once, twice;
    drawTable(once);
    drawTable(twice);
    drawTable(twice);
    EXPECT_EQ(once.screen(), twice.screen());
}

}  // namespace
}  // namespace sol
