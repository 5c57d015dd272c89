#include "display/banners.h"

#include <gtest/gtest.h>

#include <string>

#include "console/key_codes.h"
#include "console/memory_console.h"
#include "console/text_width.h"

namespace sol {
namespace {

struct BannerCase {
    const char* name;
    Outcome outcome;
    int width;
    const char* firstRow;
};

class Banner : public testing::TestWithParam<BannerCase> {};

TEST_P(Banner, FiveRowsOfArtAndThePromptThenOneKey) {
    const BannerCase& c = GetParam();
    MemoryConsole console;
    // An arrow is two codes: the banner takes the first only.
    console.pushKeys({key::kPrefix, key::kUp});
    bool waited = false;
    console.setBeforeRead([&](const MemoryConsole& screen) {
        waited = true;
        EXPECT_EQ(screen.text(30, 13, 14), "Pleas any key~");
    });
    showBanner(console, c.outcome);
    EXPECT_TRUE(waited);
    EXPECT_EQ(console.keysLeft(), 1u);
    EXPECT_EQ(console.text(20, 8, c.width), c.firstRow);
    for (int y = 0; y < 25; ++y) {
        const std::string row = console.row(y);
        if (y >= 8 && y <= 12) {
            // Nothing outside the art's columns.
            EXPECT_EQ(console.text(0, y, 20), std::string(20, ' ')) << y;
            EXPECT_EQ(console.text(20 + c.width, y, 80 - 20 - c.width),
                      std::string(80 - 20 - c.width, ' '))
                << y;
            EXPECT_NE(row.find("■"), std::string::npos) << y;
        } else if (y != 13) {
            EXPECT_EQ(row, std::string(80, ' ')) << y;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Outcomes, Banner,
    testing::Values(BannerCase{"Win", Outcome::Win, 32, "■      ■    ■■■    ■    ■"},
                    BannerCase{"Lose", Outcome::Lose, 30, "■        ■     ■■   ■■■"}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(Banner, LoseWritesTheTrailingBlanksOfItsOpenRows) {
    MemoryConsole console;
    for (const int y : {9, 11}) {
        console.gotoXY(20, y);
        console.write(std::string(40, 'x'));
    }
    console.pushKeys({key::kEnter});
    showLose(console);
    EXPECT_EQ(console.text(46, 9, 4), "    ");
    EXPECT_EQ(console.text(46, 11, 4), "    ");
    EXPECT_EQ(console.text(50, 9, 1), "x");
}

}  // namespace
}  // namespace sol
