#include "console/terminal/frame_renderer.h"

#include <gtest/gtest.h>

#include <random>
#include <utility>

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

// Random writes, now and then a clear and a screenful: the terminal always
// ends up showing the picture, and the bytes it took are pinned, so that a
// change that sends more for the same frames is seen (the frame-cost
// benchmark tells where).
TEST(FrameRenderer, RandomEditsKeepTheTerminalInStepAtAPinnedCost) {
    const char* pieces[] = {"a",   " ", "  ", "┏━",           "┃",       "가나", "☞", " △",
                            "10 ", "■", "♠K", "            ", "━━━━━━━━"};
    for (const auto& [width, pinned] :
         {std::pair{GlyphWidth::Narrow, 54302u}, {GlyphWidth::Wide, 43491u}}) {
        SCOPED_TRACE(width == GlyphWidth::Narrow ? "narrow" : "wide");
        std::size_t sent = 0;
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
                // One draw at a time: the order arguments are reckoned in
                // differs between compilers, and the pinned cost with it.
                const int x = static_cast<int>(generator() % 82);
                picture.moveTo(x, static_cast<int>(generator() % 25));
                picture.write(pieces[generator() % std::size(pieces)]);
            }
            std::string bytes;
            renderer.present(picture, picture.takeChanges().rows, true, bytes);
            terminal.feed(bytes);
            sent += bytes.size();
            expectShows(terminal, picture, width);
        }
        EXPECT_FALSE(terminal.cursorVisible());
        EXPECT_EQ(sent, pinned);
    }
}

}  // namespace
}  // namespace sol
