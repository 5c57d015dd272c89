#include <gtest/gtest.h>

#include "console/windows/cell_runs.h"
#include "console/windows/glyph_probe.h"

namespace sol::win {
namespace {

// The runs come from the FrameDiff the renderer uses, whose replay tests cover
// what is written; here only what the Windows console is given.

TEST(CellRuns, NearbyChangesShareOneWriteAndAnUnchangedPictureNone) {
    FrameDiff diff(GlyphWidth::Wide);
    ScreenBuffer picture;
    picture.moveTo(11, 3);
    picture.write("가");  // shown already, then written again in the gap
    changedRuns(diff, picture, picture.takeChanges().rows);
    picture.moveTo(10, 3);
    picture.write("1");
    picture.moveTo(13, 3);
    picture.write("2");
    picture.moveTo(40, 3);
    picture.write("3");
    const auto runs = changedRuns(diff, picture, picture.takeChanges().rows);
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[0], (CellRun{10, 3, u"1가2"}));
    EXPECT_EQ(runs[1], (CellRun{40, 3, u"3"}));
    picture.moveTo(10, 3);
    picture.write("1");
    EXPECT_TRUE(changedRuns(diff, picture, picture.takeChanges().rows).empty());
}

TEST(CellRuns, NarrowConsoleGetsFillsButHangulDoesNot) {
    FrameDiff diff(GlyphWidth::Narrow);
    ScreenBuffer picture;
    picture.write("┏━┓■△가");
    const auto runs = changedRuns(diff, picture, picture.takeChanges().rows);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].text, u"┏━━━┓ ■■△ 가");
}

TEST(CellRuns, CharacterBeyondSixteenBitsBecomesASurrogatePair) {
    std::u16string out;
    appendUtf16(out, U'\U0001F0A1');
    EXPECT_EQ(out, (std::u16string{char16_t{0xD83C}, char16_t{0xDCA1}}));
}

TEST(GlyphProbe, AdvanceTellsTheWidthAndNoAdvanceOrAWrapNothing) {
    EXPECT_EQ(glyphWidthFromAdvance(5, 2, 6, 2), GlyphWidth::Narrow);
    EXPECT_EQ(glyphWidthFromAdvance(5, 2, 7, 2), GlyphWidth::Wide);
    EXPECT_EQ(glyphWidthFromAdvance(5, 2, 5, 2), std::nullopt);
    EXPECT_EQ(glyphWidthFromAdvance(78, 2, 0, 3), std::nullopt);
    EXPECT_EQ(glyphWidthFromAdvance(5, 2, 9, 2), std::nullopt);
}

TEST(GlyphProbe, ProbeMovesHomeOnlyWhenTwoCellsWouldNotFit) {
    EXPECT_EQ(probeColumn(77, 80), 77);
    EXPECT_EQ(probeColumn(78, 80), 0);
}

}  // namespace
}  // namespace sol::win
