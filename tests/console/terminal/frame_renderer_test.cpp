#include "console/terminal/frame_renderer.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "console/port/text_width.h"
#include "support/terminal_model.h"

namespace sol {
namespace {

using testing_support::TerminalModel;

// Every character of the picture stands at its own column on the terminal,
// and on a narrow terminal the second column of a glyph holds its fill.
void expectShows(const TerminalModel& terminal, const ScreenBuffer& picture,
                 GlyphWidth glyphWidth) {
    for (int y = 0; y < ScreenBuffer::kRows; ++y) {
        for (int x = 0; x < ScreenBuffer::kColumns; ++x) {
            const ScreenBuffer::Cell& cell = picture.at(x, y);
            if (cell.continuation) {
                continue;
            }
            ASSERT_EQ(terminal.at(x, y), cell.ch) << "at (" << x << ", " << y << ")";
            if (columnWidth(cell.ch) == 2) {
                const bool wide = glyphWidth == GlyphWidth::Wide || drawnWideEverywhere(cell.ch);
                ASSERT_EQ(terminal.at(x + 1, y), wide ? U'\0' : narrowFill(cell.ch))
                    << "at (" << x + 1 << ", " << y << ")";
            }
        }
    }
}

struct Put {
    int x;
    int y;
    const char* text;
};

const Put kClear{0, 0, nullptr};

void apply(ScreenBuffer& picture, const std::vector<Put>& puts) {
    for (const Put& put : puts) {
        if (!put.text) {
            picture.clear();
            continue;
        }
        picture.moveTo(put.x, put.y);
        picture.write(put.text);
    }
}

// The bytes of the frame after `before` has been shown: each case pins the
// cheapest way the renderer is to find.
struct BytesCase {
    const char* name;
    std::vector<Put> before;
    std::vector<Put> after;
    const char* expected;
};

class FrameBytes : public testing::TestWithParam<BytesCase> {};

TEST_P(FrameBytes, AreTheCheapestWay) {
    const BytesCase& c = GetParam();
    ScreenBuffer picture;
    apply(picture, c.before);
    FrameRenderer renderer(GlyphWidth::Narrow);
    std::string bytes;
    renderer.present(picture, picture.takeChanges().rows, true, bytes);
    TerminalModel terminal(GlyphWidth::Narrow);
    terminal.feed(bytes);
    apply(picture, c.after);
    bytes.clear();
    renderer.present(picture, picture.takeChanges().rows, true, bytes);
    EXPECT_EQ(bytes, c.expected);
    terminal.feed(bytes);
    expectShows(terminal, picture, GlyphWidth::Narrow);
}

std::vector<Put> fullScreen() {
    static const std::string kRow(78, 'x');
    std::vector<Put> rows;
    for (int y = 0; y < 24; ++y) {
        rows.push_back({0, y, kRow.c_str()});
    }
    return rows;
}

INSTANTIATE_TEST_SUITE_P(
    Renderer, FrameBytes,
    testing::ValuesIn(std::vector<BytesCase>{
        {"NothingChanged", {{3, 3, "가☞"}}, {{3, 3, "가☞"}}, ""},
        {"FirstFrameGlyphsWithFills", {}, {{0, 0, "┏━┓┃■△"}}, "┏━━━┓ ┃ ■■△"},
        {"ClearInsteadOfBlanks", fullScreen(), {kClear, {30, 13, "hi"}}, "\x1b[2J\x1b[14;31Hhi"},
        {"CarriageReturnAndLineFeed", {}, {{0, 5, "ab"}, {0, 6, "cd"}}, "\x1b[6dab\n\rcd"},
        {"LineFeedAndBackspaces", {}, {{10, 3, "ab"}, {10, 4, "cd"}}, "\x1b[4;11Hab\n\b\bcd"},
        {"RowOnly", {}, {{40, 2, "a"}, {41, 20, "b"}}, "\n\n\x1b[41Ga\x1b[21db"},
        {"ColumnOnly", {}, {{70, 2, "a"}, {5, 3, "b"}}, "\n\n\x1b[71Ga\n\x1b[6Gb"},
        {"ShortGapWrittenAgain", {}, {{10, 5, "a"}, {13, 5, "b"}}, "\x1b[6;11Ha  b"},
        {"GlyphGapSkipped", {{10, 5, "a━━b"}}, {{10, 5, "c"}, {15, 5, "d"}}, "\x1b[6Dc\x1b[4Cd"},
        {"UnchangedFillNotSent", {{0, 1, "┏━"}}, {{0, 1, "━"}}, "\r━"},
        {"EraseCharacters",
         {{20, 7, "abcdefghijkl"}, {40, 7, "z"}},
         {{20, 7, "            "}},
         "\x1b[21G\x1b[12X"},
        {"EraseToEndOfLine", {{60, 8, "hello"}}, {{60, 8, "     "}}, "\x1b[5D\x1b[K"},
        {"MenuMarkerMove", {{28, 6, "☞"}}, {{28, 6, " "}, {28, 10, "☞"}}, "\b \n\n\n\n\b☞"},
        {"LastColumnThenAbsolute", {}, {{79, 1, "a"}, {0, 2, "b"}}, "\n\x1b[80Ga\x1b[3Hb"}}),
    [](const auto& param) { return std::string(param.param.name); });

// Random writes, now and then a clear and a screenful: the terminal always
// ends up showing the picture.
TEST(FrameRenderer, RandomEditsKeepTheTerminalInStep) {
    const char* pieces[] = {"a",   " ", "  ", "┏━",           "┃",       "가나", "☞", " △",
                            "10 ", "■", "♠K", "            ", "━━━━━━━━"};
    for (const GlyphWidth width : {GlyphWidth::Narrow, GlyphWidth::Wide}) {
        SCOPED_TRACE(width == GlyphWidth::Narrow ? "narrow" : "wide");
        std::mt19937 generator(11);
        FrameRenderer renderer(width);
        TerminalModel terminal(width);
        ScreenBuffer picture;
        for (int frame = 0; frame < 400; ++frame) {
            const bool screenful = frame % 20 == 19;
            if (screenful) {
                picture.clear();
            }
            for (int edit = 0; edit < (screenful ? 120 : 8); ++edit) {
                picture.moveTo(static_cast<int>(generator() % 82),
                               static_cast<int>(generator() % 25));
                picture.write(pieces[generator() % std::size(pieces)]);
            }
            std::string bytes;
            renderer.present(picture, picture.takeChanges().rows, true, bytes);
            terminal.feed(bytes);
            expectShows(terminal, picture, width);
        }
        EXPECT_FALSE(terminal.cursorVisible());
    }
}

}  // namespace
}  // namespace sol
