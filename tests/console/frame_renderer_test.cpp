#include "console/frame_renderer.h"

#include <gtest/gtest.h>

#include <random>

#include "console/text_width.h"
#include "terminal_model.h"

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
            if (columnWidth(cell.ch) == 1) {
                continue;
            }
            if (glyphWidth == GlyphWidth::Wide || drawnWideEverywhere(cell.ch)) {
                ASSERT_EQ(terminal.at(x + 1, y), U'\0') << "at (" << x + 1 << ", " << y << ")";
            } else {
                std::size_t pos = 0;
                const char32_t fill = decodeUtf8(narrowFill(cell.ch), pos);
                ASSERT_EQ(terminal.at(x + 1, y), fill) << "at (" << x + 1 << ", " << y << ")";
            }
        }
    }
}

ScreenBuffer menuLikePicture() {
    ScreenBuffer picture;
    picture.write(" ┏━━━━━┓\n ┃ 가 ┃\n ┗━━━━━┛\n");
    picture.moveTo(28, 6);
    picture.write("☞ ■■ △ ♥A ◆J ♣10 ♠K");
    picture.moveTo(0, 24);
    picture.write("Pleas any key~");
    return picture;
}

class RendersForTerminal : public testing::TestWithParam<GlyphWidth> {};

TEST_P(RendersForTerminal, EveryGlyphAtItsColumn) {
    const ScreenBuffer picture = menuLikePicture();
    FrameRenderer renderer(GetParam());
    std::string bytes;
    renderer.present(picture, true, bytes);
    TerminalModel terminal(GetParam());
    terminal.feed(bytes);
    expectShows(terminal, picture, GetParam());
    EXPECT_FALSE(terminal.cursorVisible());
}

TEST_P(RendersForTerminal, RandomEditsKeepTerminalInStep) {
    std::mt19937 generator(11);
    const char* pieces[] = {"a", " ", "  ", "┏━", "┃", "가나", "☞", " △", "10 ", "■", "♠K"};
    FrameRenderer renderer(GetParam());
    TerminalModel terminal(GetParam());
    ScreenBuffer picture;
    for (int frame = 0; frame < 300; ++frame) {
        for (int edit = 0; edit < 8; ++edit) {
            picture.moveTo(static_cast<int>(generator() % 82), static_cast<int>(generator() % 25));
            picture.write(pieces[generator() % std::size(pieces)]);
        }
        if (frame % 50 == 49) {
            picture.clear();
        }
        std::string bytes;
        renderer.present(picture, true, bytes);
        terminal.feed(bytes);
        expectShows(terminal, picture, GetParam());
    }
}

INSTANTIATE_TEST_SUITE_P(FrameRenderer, RendersForTerminal,
                         testing::Values(GlyphWidth::Narrow, GlyphWidth::Wide),
                         [](const testing::TestParamInfo<GlyphWidth>& param) {
                             return param.param == GlyphWidth::Narrow ? "narrow" : "wide";
                         });

TEST(FrameRenderer, NarrowFillsKeepLinesWhole) {
    ScreenBuffer picture;
    picture.write("┏━┓┃■△");
    FrameRenderer renderer(GlyphWidth::Narrow);
    std::string bytes;
    renderer.present(picture, false, bytes);
    EXPECT_NE(bytes.find("┏━━━┓ ┃ ■■△ "), std::string::npos);
}

TEST(FrameRenderer, UnchangedFrameSendsNothing) {
    const ScreenBuffer picture = menuLikePicture();
    FrameRenderer renderer;
    std::string first;
    renderer.present(picture, true, first);
    std::string second;
    renderer.present(picture, true, second);
    EXPECT_EQ(second, "");
}

TEST(FrameRenderer, MarkerMoveSendsOnlyTheTwoCells) {
    ScreenBuffer picture = menuLikePicture();
    FrameRenderer renderer;
    std::string bytes;
    renderer.present(picture, true, bytes);
    picture.moveTo(28, 6);
    picture.write(" ");
    picture.moveTo(28, 10);
    picture.write("☞");
    bytes.clear();
    renderer.present(picture, true, bytes);
    EXPECT_LE(bytes.size(), 32u);
    EXPECT_EQ(bytes.find("\x1b[2J"), std::string::npos);
}

TEST(FrameRenderer, InvalidateRepaintsEverything) {
    const ScreenBuffer picture = menuLikePicture();
    FrameRenderer renderer;
    std::string bytes;
    renderer.present(picture, true, bytes);
    renderer.invalidate();
    bytes.clear();
    renderer.present(picture, true, bytes);
    TerminalModel terminal(GlyphWidth::Narrow);
    terminal.feed(bytes);
    EXPECT_EQ(terminal.clears(), 1);
    EXPECT_FALSE(terminal.cursorVisible());
    expectShows(terminal, picture, GlyphWidth::Narrow);
}

}  // namespace
}  // namespace sol
