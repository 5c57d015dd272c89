#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "console/port/text_width.h"
#include "console/posix/cp949_output.h"
#include "console/posix/pending_signals.h"
#include "console/posix/terminal_console.h"
#include "console/terminal/size_notice.h"
#include "support/terminal_model.h"

namespace sol {
namespace {

// The charset the C library reports decides; where the locale is not
// installed (no codeset), the charset its name gives after the dot.
TEST(KoreanCodePage, IsToldFromTheLocaleCharset) {
    struct Case {
        const char* codeset;
        const char* locale;
        bool korean;
    };
    for (const Case& c : {Case{"EUC-KR", "ko_KR", true}, Case{"EUC-KR", "korean", true},
                          Case{"CP949", "ko_KR.CP949", true}, Case{"UTF-8", "ko_KR.UTF-8", false},
                          Case{"ANSI_X3.4-1968", "C", false}, Case{"", "ko_KR.cp949", true},
                          Case{"", "ko_KR.EUC-KR", true}, Case{"", "ko_KR.eucKR@latin", true},
                          Case{"", "ko_KR.UHC", true}, Case{"", "ko_KR", false},
                          Case{"", "", false}, Case{"", "en_US.cp9490", false}}) {
        EXPECT_EQ(posix::usesKoreanCodePage(c.codeset, c.locale), c.korean)
            << c.codeset << " " << c.locale;
    }
}

TEST(Cp949Encoder, EncodesTheGameGlyphsAndPassesControlsThrough) {
    posix::Cp949Encoder encoder;
    ASSERT_TRUE(encoder.available());
    EXPECT_EQ(encoder.encode("\x1b[1;2H가■☞♥"), "\x1b[1;2H\xB0\xA1\xA1\xE1\xA2\xD1\xA2\xBE");
    // Characters with no CP949 form, and broken UTF-8, become one '?' each.
    EXPECT_EQ(encoder.encode("a😀b\xFF"
                             "c"),
              "a?b?c");
    // A long frame goes through whole.
    std::string frame;
    for (int i = 0; i < 500; ++i) {
        frame += "━";
    }
    EXPECT_EQ(encoder.encode(frame).size(), 1000u);
}

// Every number a system delivers has a flag (FreeBSD's real-time signals run
// from 65 to 126); a number past the table is never kept, nor looked for.
TEST(PendingSignals, HoldEveryNumberASystemDeliversAndNoOther) {
    posix::PendingSignals pending;
    for (const int signal : {1, 31, 64, 65, 126, 128}) {
        pending.set(signal);
        EXPECT_TRUE(pending.take(signal)) << signal;
        EXPECT_FALSE(pending.take(signal)) << signal;
    }
    for (const int signal : {0, -1, 129, 1000}) {
        pending.set(signal);
        EXPECT_FALSE(pending.pending(signal)) << signal;
        EXPECT_FALSE(pending.take(signal)) << signal;
    }
}

TEST(SizeNotice, IsCentredAndStaysInsideTheWindow) {
    for (const auto& [columns, rows] : {std::pair{79, 25}, {80, 24}, {40, 10}, {20, 5}, {10, 3}}) {
        SCOPED_TRACE(std::to_string(columns) + "x" + std::to_string(rows));
        EXPECT_TRUE(windowTooSmall(columns, rows));
        testing_support::TerminalModel terminal(GlyphWidth::Narrow);
        terminal.feed(sizeNotice(columns, rows));
        std::vector<int> shown;  // the columns written, all on the middle row
        for (int y = 0; y < 25; ++y) {
            for (int x = 0; x < 80; ++x) {
                if (terminal.at(x, y) != U' ') {
                    EXPECT_EQ(y, (rows - 1) / 2) << "one line, in the middle";
                    shown.push_back(x);
                }
            }
        }
        ASSERT_FALSE(shown.empty());
        EXPECT_FALSE(terminal.cursorVisible()) << "no cursor after the text";
        EXPECT_LT(shown.back(), columns);
        EXPECT_LE(std::abs(shown.front() - (columns - 1 - shown.back())), 2) << "centred";
    }
}

}  // namespace
}  // namespace sol
