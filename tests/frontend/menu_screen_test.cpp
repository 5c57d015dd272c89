#include "frontend/menu_screen.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "console/key_codes.h"
#include "console/memory_console.h"
#include "console/text_width.h"

namespace sol {
namespace {

using namespace key;

TEST(MenuScreen, DrawsTheFramedMenuAndWaitsWithTheMarkerOnEntryOne) {
    MemoryConsole console;
    console.pushKeys({kEnter});
    bool checked = false;
    console.setBeforeRead([&](const MemoryConsole& c) {
        checked = true;
        EXPECT_TRUE(c.cursorHidden());
        EXPECT_EQ(c.text(28, 6, 2), "☞");
        EXPECT_EQ(c.text(0, 0, 4), " ┏━");
        EXPECT_EQ(c.text(77, 0, 3), "┓ ");
        EXPECT_EQ(c.text(1, 12, 2), "┃");
        EXPECT_EQ(c.text(77, 22, 2), "┃");
        EXPECT_EQ(c.text(0, 23, 3), " ┗");
        EXPECT_EQ(c.row(24), std::string(80, ' '));
        EXPECT_EQ(c.text(30, 2, 27), "        < 메 뉴 >          ");
        EXPECT_EQ(c.text(30, 6, 23), " ┃    게임 시작     ┃");
        EXPECT_EQ(c.text(30, 10, 23), " ┃    게임 설명     ┃");
        EXPECT_EQ(c.text(30, 14, 23), " ┃    종료 하기     ┃");
        EXPECT_EQ(c.text(30, 13, 23), " ┏━━━━━━━━━┓");
        EXPECT_EQ(c.text(30, 15, 23), " ┗━━━━━━━━━┛");
        // The credits stay inside the frame's right border.
        for (const int row : {1, 2}) {
            EXPECT_EQ(c.text(77, row, 2), "┃");
            EXPECT_LE(textWidth(c.text(70, row, 7)), 7);
            EXPECT_NE(c.text(70, row, 7), std::string(7, ' '));
        }
    });
    EXPECT_EQ(menuScreen(console), kStartGame);
    EXPECT_TRUE(checked);
    EXPECT_EQ(console.clearCount(), 1);
}

struct NavigationCase {
    const char* name;
    std::vector<int> keys;  // Enter is added at the end
    int entry;
};

class MenuNavigation : public testing::TestWithParam<NavigationCase> {};

TEST_P(MenuNavigation, ReturnsTheEntryUnderTheMarker) {
    MemoryConsole console;
    std::vector<int> keys = GetParam().keys;
    keys.push_back(kEnter);
    console.pushKeys(keys);
    EXPECT_EQ(menuScreen(console), GetParam().entry);
    EXPECT_EQ(console.keysLeft(), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, MenuNavigation,
    testing::Values(NavigationCase{"EnterAtOnce", {}, 1},
                    NavigationCase{"UpWrapsToThree", {kPrefix, kUp}, 3},
                    NavigationCase{"DownThenDown", {kPrefix, kDown, kPrefix, kDown}, 3},
                    NavigationCase{"DownWrapsToOne", {kDown, kDown, kDown}, 1},
                    NavigationCase{"UpFromThree", {kUp, kUp}, 2},
                    NavigationCase{"CapitalLettersActAsArrows", {'H', 'P', 'P'}, 2},
                    NavigationCase{"PrefixAlone", {kPrefix, kPadPrefix}, 1},
                    NavigationCase{"OtherKeysChangeNothing",
                                   {kLeft, kRight, 'h', 'p', 'x', '3', kEscape, 0xAC00},
                                   1}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(MenuScreen, LeavesNoHalfOfTheMarkerBehind) {
    MemoryConsole console;
    console.pushKeys({kDown, kDown, kEnter});
    int reads = 0;
    console.setBeforeRead([&](const MemoryConsole& c) {
        const int row = (reads++) * 4 + 6;
        for (const int other : {6, 10, 14}) {
            EXPECT_EQ(c.text(28, other, 2), other == row ? "☞" : "  ") << "read " << reads;
        }
    });
    EXPECT_EQ(menuScreen(console), kQuit);
    EXPECT_EQ(console.text(28, 14, 2), "  ");
}

}  // namespace
}  // namespace sol
