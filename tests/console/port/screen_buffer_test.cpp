#include "console/port/screen_buffer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace sol {
namespace {

struct Put {
    int x;
    int y;
    const char* text;
};

struct WriteCase {
    const char* name;
    std::vector<Put> puts;
    std::string rows;  // rows 0 and 1, each cut after its last non-blank
};

class Writes : public testing::TestWithParam<WriteCase> {};

TEST_P(Writes, LeaveTheRows) {
    ScreenBuffer screen;
    for (const Put& put : GetParam().puts) {
        screen.moveTo(put.x, put.y);
        screen.write(put.text);
    }
    std::string rows;
    for (int y = 0; y < 2; ++y) {
        std::string row = screen.row(y);
        rows += row.erase(row.find_last_not_of(' ') + 1) + (y == 0 ? "|" : "");
    }
    EXPECT_EQ(rows, GetParam().rows);
}

// A two-column character overwritten in either half goes whole; columns
// count as CP949 bytes; nothing wraps past the edges; controls are dropped.
INSTANTIATE_TEST_SUITE_P(ScreenBuffer, Writes,
                         testing::ValuesIn(std::vector<WriteCase>{
                             {"LeftHalfByAscii", {{2, 0, "가"}, {2, 0, "a"}}, "  a|"},
                             {"RightHalfByAscii", {{2, 0, "가"}, {3, 0, "b"}}, "   b|"},
                             {"RightHalfByWide", {{2, 0, "가"}, {3, 0, "나"}}, "   나|"},
                             {"StraddlingTwo", {{2, 0, "가나"}, {3, 0, "다"}}, "   다|"},
                             {"SymbolLikeHangul", {{0, 0, "■■"}, {1, 0, "x"}}, " x■|"},
                             {"BlankErases", {{0, 0, "☞"}, {1, 0, " "}}, "|"},
                             {"Cp949Columns", {{0, 0, "a♥가1"}, {6, 0, "x"}}, "a♥가1x|"},
                             {"RightAndBottomEdges",
                              {{78, 0, "abc"}, {79, 1, "가"}, {0, 25, "lost"}},
                              std::string(78, ' ') + "ab|"},
                             {"LeftEdge", {{-1, 1, "xy"}}, "|y"},
                             {"NewlineToColumnZero", {{5, 0, "ab\ncd"}}, "     ab|cd"},
                             {"ControlsDropped", {{0, 0, "a\x1b[2Jb\x7f\tc"}}, "a[2Jbc|"}}),
                         [](const auto& param) { return std::string(param.param.name); });

}  // namespace
}  // namespace sol
