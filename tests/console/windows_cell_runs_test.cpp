#include <gtest/gtest.h>

#include <random>

#include "console/frame_renderer.h"
#include "console/windows/cell_runs.h"
#include "console/windows/glyph_probe.h"
#include "terminal_model.h"

namespace sol::win {
namespace {

using testing_support::TerminalModel;

std::string toUtf8(const std::u16string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t ch = text[i];
        if (ch >= 0xD800 && ch < 0xDC00 && i + 1 < text.size()) {
            ch = 0x10000 + ((ch - 0xD800) << 10) + (text[++i] - 0xDC00);
        }
        appendUtf8(out, ch);
    }
    return out;
}

// A console that takes each run as a cursor move and one wide-character write.
void paint(const std::vector<CellRun>& runs, TerminalModel& console) {
    for (const CellRun& run : runs) {
        console.feed("\x1b[" + std::to_string(run.y + 1) + ";" + std::to_string(run.x + 1) + "H" +
                     toUtf8(run.text));
    }
}

// The console must end up showing, cell for cell, what a terminal of the same
// glyph width shows after the Linux renderer has drawn the picture.
void expectSameAsTerminal(const TerminalModel& console, const ScreenBuffer& picture,
                          GlyphWidth glyphWidth) {
    FrameRenderer renderer(glyphWidth);
    std::string bytes;
    renderer.present(picture, false, bytes);
    TerminalModel terminal(glyphWidth);
    terminal.feed(bytes);
    for (int y = 0; y < TerminalModel::kRows; ++y) {
        for (int x = 0; x < TerminalModel::kColumns; ++x) {
            ASSERT_EQ(console.at(x, y), terminal.at(x, y)) << "at (" << x << ", " << y << ")";
        }
    }
}

class RunsForConsole : public testing::TestWithParam<GlyphWidth> {};

TEST_P(RunsForConsole, RandomEditsKeepConsoleInStep) {
    std::mt19937 generator(7);
    const char* pieces[] = {"a", " ", "  ", "┏━", "┃", "가나", "☞", " △", "10 ", "■", "♠K"};
    TerminalModel console(GetParam());
    FrameDiff diff(GetParam());
    ScreenBuffer picture;
    for (int frame = 0; frame < 300; ++frame) {
        for (int edit = 0; edit < 8; ++edit) {
            picture.moveTo(static_cast<int>(generator() % 82), static_cast<int>(generator() % 25));
            picture.write(pieces[generator() % std::size(pieces)]);
        }
        paint(changedRuns(diff, picture), console);
        expectSameAsTerminal(console, picture, GetParam());
    }
}

INSTANTIATE_TEST_SUITE_P(CellRuns, RunsForConsole,
                         testing::Values(GlyphWidth::Narrow, GlyphWidth::Wide),
                         [](const testing::TestParamInfo<GlyphWidth>& param) {
                             return param.param == GlyphWidth::Narrow ? "narrow" : "wide";
                         });

TEST(CellRuns, NearbyChangesShareOneWriteAndAnUnchangedPictureNone) {
    FrameDiff diff(GlyphWidth::Wide);
    ScreenBuffer picture;
    picture.moveTo(10, 3);
    picture.write("1");
    picture.moveTo(13, 3);
    picture.write("2");
    picture.moveTo(40, 3);
    picture.write("3");
    const auto runs = changedRuns(diff, picture);
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[0], (CellRun{10, 3, u"1  2"}));
    EXPECT_EQ(runs[1], (CellRun{40, 3, u"3"}));
    picture.moveTo(10, 3);
    picture.write("1");
    EXPECT_TRUE(changedRuns(diff, picture).empty());
}

TEST(CellRuns, NarrowConsoleGetsFillsButHangulDoesNot) {
    FrameDiff diff(GlyphWidth::Narrow);
    ScreenBuffer picture;
    picture.write("┏━┓■△가");
    const auto runs = changedRuns(diff, picture);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].text, u"┏━━━┓ ■■△ 가");
}

TEST(CellRuns, CharacterBeyondSixteenBitsBecomesASurrogatePair) {
    std::u16string out;
    appendUtf16(out, U'\U0001F0A1');
    EXPECT_EQ(out, (std::u16string{char16_t{0xD83C}, char16_t{0xDCA1}}));
}

TEST(GlyphProbe, AdvanceTellsTheWidth) {
    EXPECT_EQ(glyphWidthFromAdvance(5, 2, 6, 2), GlyphWidth::Narrow);
    EXPECT_EQ(glyphWidthFromAdvance(5, 2, 7, 2), GlyphWidth::Wide);
}

TEST(GlyphProbe, NoAdvanceOrAWrapTellsNothing) {
    EXPECT_EQ(glyphWidthFromAdvance(5, 2, 5, 2), std::nullopt);
    EXPECT_EQ(glyphWidthFromAdvance(78, 2, 0, 3), std::nullopt);
    EXPECT_EQ(glyphWidthFromAdvance(5, 2, 9, 2), std::nullopt);
}

TEST(GlyphProbe, ProbeMovesHomeOnlyWhenTwoCellsWouldNotFit) {
    EXPECT_EQ(probeColumn(0, 80), 0);
    EXPECT_EQ(probeColumn(77, 80), 77);
    EXPECT_EQ(probeColumn(78, 80), 0);
    EXPECT_EQ(probeColumn(79, 80), 0);
}

}  // namespace
}  // namespace sol::win
