#include <gtest/gtest.h>

#include "console/terminal/terminal_core.h"
#include "console/terminal/terminal_modes.h"

namespace sol {
namespace {

using Clock = TerminalCore::Clock;

TEST(TerminalCore, TakingOverSendsTheModesAndTheProbeAndTheFirstFrameWaitsForItsAnswer) {
    TerminalCore core;
    const std::string bytes = core.takeOver(kTakeTerminal, true, Clock{100}, Clock{50});
    EXPECT_EQ(bytes, std::string(kTakeTerminal) + "\x1b[H┏\x1b[6n");
    EXPECT_TRUE(core.awaitingProbe(Clock{149}));
    EXPECT_EQ(core.deadline(Clock{100}), Clock{150});
    core.feed("x\x1b[1;3R", Clock{120});  // a key typed first stays queued
    EXPECT_FALSE(core.awaitingProbe(Clock{121}));
    EXPECT_EQ(core.deadline(Clock{121}), std::nullopt);
    ASSERT_TRUE(core.hasInput());
    EXPECT_EQ(core.nextInput(), Input::key('x'));
    EXPECT_FALSE(core.hasInput());
    // Answered, the same bytes are a key again (Shift+F3).
    core.feed("\x1b[1;2R", Clock{200});
    EXPECT_EQ(core.nextInput(), Input::key(0));
}

TEST(TerminalCore, NoAnswerGivesUpWaitingWithoutAProbeNoWait) {
    TerminalCore core;
    EXPECT_EQ(core.takeOver(kReportPresses, false, Clock{0}, Clock{50}), kReportPresses);
    EXPECT_FALSE(core.awaitingProbe(Clock{0}));
    TerminalCore silent;
    silent.takeOver(kReportPresses, true, Clock{0}, Clock{50});
    EXPECT_FALSE(silent.awaitingProbe(Clock{50}));
}

TEST(TerminalCore, AWideAnswerPaintsGlyphsWithoutFillsAndOnlyChangesAreSentAgain) {
    const auto boxFrame = [](std::string_view answer) {
        TerminalCore core;
        core.takeOver(kReportPresses, true, Clock{0}, Clock{50});
        core.feed(answer, Clock{1});
        ScreenBuffer picture;
        picture.write("┏━┓");
        return core.frame(picture, picture.takeChanges().rows, false);
    };
    EXPECT_NE(boxFrame("\x1b[1;2R").find("┏━━━┓"), std::string::npos);  // narrow: filled
    EXPECT_NE(boxFrame("\x1b[1;3R").find("┏━┓"), std::string::npos);    // wide: as written

    TerminalCore core;
    ScreenBuffer picture;
    picture.write("A");
    EXPECT_FALSE(core.frame(picture, picture.takeChanges().rows, false).empty());
    EXPECT_TRUE(core.frame(picture, picture.takeChanges().rows, false).empty());
    EXPECT_NE(core.frame(picture, 0, true).find("\x1b[?25l"), std::string::npos);
    core.repaint();
    EXPECT_NE(core.frame(picture, 0, true).find('A'), std::string::npos);
}

}  // namespace
}  // namespace sol
