#include "console/screen_buffer.h"

#include <gtest/gtest.h>

#include <string>

namespace sol {
namespace {

struct OverwriteCase {
    const char* name;
    int firstX;
    const char* first;
    int secondX;
    const char* second;
    const char* expected;  // columns 0..7 of row 0
};

class Overwrite : public testing::TestWithParam<OverwriteCase> {};

TEST_P(Overwrite, TakesAwayTheWholeTwoColumnCharacter) {
    const OverwriteCase& c = GetParam();
    ScreenBuffer screen;
    screen.moveTo(c.firstX, 0);
    screen.write(c.first);
    screen.moveTo(c.secondX, 0);
    screen.write(c.second);
    EXPECT_EQ(screen.text(0, 0, 8), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cells, Overwrite,
    testing::Values(OverwriteCase{"LeftHalfByAscii", 2, "가", 2, "a", "  a     "},
                    OverwriteCase{"RightHalfByAscii", 2, "가", 3, "b", "   b    "},
                    OverwriteCase{"RightHalfByWide", 2, "가", 3, "나", "   나   "},
                    OverwriteCase{"StraddlingTwo", 2, "가나", 3, "다", "   다   "},
                    OverwriteCase{"SymbolLikeHangul", 0, "■■", 1, "x", " x■    "},
                    OverwriteCase{"BlankErases", 0, "☞", 1, " ", "        "}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(ScreenBuffer, CountsColumnsAsCp949Bytes) {
    ScreenBuffer screen;
    screen.moveTo(10, 3);
    screen.write("a♥가1");
    EXPECT_EQ(screen.cursorX(), 16);
    EXPECT_EQ(screen.at(11, 3).ch, U'♥');
    EXPECT_TRUE(screen.at(12, 3).continuation);
    EXPECT_EQ(screen.at(13, 3).ch, U'가');
    EXPECT_EQ(screen.at(15, 3).ch, U'1');
}

TEST(ScreenBuffer, DropsWhatPassesTheEdgesWithoutWrapping) {
    ScreenBuffer screen;
    screen.moveTo(78, 0);
    screen.write("abc");
    screen.moveTo(79, 1);
    screen.write("가");
    screen.moveTo(0, 25);
    screen.write("lost");
    screen.moveTo(-1, 2);
    screen.write("xy");
    EXPECT_EQ(screen.text(76, 0, 4), "  ab");
    EXPECT_EQ(screen.row(1), std::string(80, ' '));
    EXPECT_EQ(screen.text(0, 2, 2), "y ");
    EXPECT_EQ(screen.text(0, 0, 4), "    ");
}

TEST(ScreenBuffer, NewlineGoesToColumnZeroOfTheNextRow) {
    ScreenBuffer screen;
    screen.moveTo(5, 4);
    screen.write("ab\ncd");
    EXPECT_EQ(screen.text(5, 4, 2), "ab");
    EXPECT_EQ(screen.text(0, 5, 2), "cd");
}

TEST(ScreenBuffer, StampsOnlyTheRowsAWriteChanges) {
    ScreenBuffer screen;
    screen.moveTo(4, 2);
    screen.write("가b\nc");
    const std::uint64_t before = screen.stamp();
    EXPECT_EQ(screen.rowStamp(2), before);
    EXPECT_EQ(screen.rowStamp(3), before);
    EXPECT_LT(screen.rowStamp(4), before);
    screen.moveTo(4, 2);
    screen.write("가b");  // the same again
    EXPECT_EQ(screen.stamp(), before);
}

TEST(ScreenBuffer, IgnoresControlCharacters) {
    ScreenBuffer screen;
    screen.write("a\x1b[2Jb\x7f\tc");
    EXPECT_EQ(screen.text(0, 0, 6), "a[2Jbc");
}

}  // namespace
}  // namespace sol
