#include "frontend/menu_loop.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "console/exit_request.h"
#include "console/key_codes.h"
#include "console/memory_console.h"
#include "frontend/rules_screen.h"

namespace sol {
namespace {

using namespace key;

constexpr std::uint32_t kSeed = 7;

// Runs the loop on `keys` and returns the status the process would end with.
int runMenu(MemoryConsole& console, const std::vector<int>& keys) {
    console.pushKeys(keys);
    try {
        mainMenuLoop(console, [] { return kSeed; });
    } catch (const ExitRequest& request) {
        return request.status;
    }
}

bool screenBlank(const MemoryConsole& console) {
    for (int y = 0; y < ScreenBuffer::kRows; ++y) {
        if (console.row(y) != std::string(80, ' ')) {
            return false;
        }
    }
    return true;
}

TEST(MenuLoop, QuitClearsTheScreenAndEndsWithStatusZero) {
    MemoryConsole console;
    EXPECT_EQ(runMenu(console, {kPrefix, kDown, kPrefix, kDown, kEnter}), 0);
    EXPECT_TRUE(screenBlank(console));
}

TEST(MenuLoop, RulesThenAnyKeyRedrawsTheMenuOnEntryOne) {
    MemoryConsole console;
    std::vector<std::string> seen;
    console.setBeforeRead([&](const MemoryConsole& c) { seen.push_back(c.text(2, 1, 13)); });
    // Down, Enter: rules; 'x' back; the menu on entry 1 then goes Up to quit.
    EXPECT_EQ(runMenu(console, {kDown, kEnter, 'x', kUp, kEnter}), 0);
    ASSERT_EQ(seen.size(), 5u);
    EXPECT_EQ(seen[2], "☞ 솔방울게임");
    EXPECT_NE(seen[3], "☞ 솔방울게임");
}

// An arrow on the rules screen is two codes: the wait takes the prefix and
// the menu takes the arrow as its first key.
struct ArrowOnRulesCase {
    int arrow;
    std::vector<int> then;
    int status;
};

class ArrowOnRules : public testing::TestWithParam<ArrowOnRulesCase> {};

TEST_P(ArrowOnRules, TheMenuReadsTheSecondCode) {
    MemoryConsole console;
    std::vector<int> keys = {kDown, kEnter, kPrefix, GetParam().arrow};
    keys.insert(keys.end(), GetParam().then.begin(), GetParam().then.end());
    EXPECT_EQ(runMenu(console, keys), GetParam().status);
    EXPECT_EQ(console.keysLeft(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Codes, ArrowOnRules,
                         testing::Values(ArrowOnRulesCase{kUp, {kEnter}, 0},  // straight to quit
                                         ArrowOnRulesCase{
                                             kDown, {kDown, kEnter}, 0},  // entry 2, then 3
                                         ArrowOnRulesCase{kLeft, {kUp, kEnter}, 0},  // stays on 1
                                         ArrowOnRulesCase{kRight, {kDown, kDown, kEnter}, 0}));

TEST(MenuLoop, EntryOneStartsAGame) {
    MemoryConsole console;
    // The game reads keys until the script ends, which ends it with status 1;
    // the table is up with the selection marker over the first slot.
    EXPECT_EQ(runMenu(console, {kEnter}), 1);
    EXPECT_EQ(console.text(7, 21, 2), "△");
    EXPECT_EQ(console.text(40, 9, 2), "┏");
}

TEST(RulesScreen, EveryVisitShowsTheSameTextAndNoFrame) {
    MemoryConsole first;
    first.clearScreen();
    rulesScreen(first);
    EXPECT_TRUE(first.cursorHidden());
    EXPECT_EQ(first.text(2, 12, 73),
              "2. 같은 숫자나 모양 카드를 낼 수 있다. 낼 것이 없을 시에는 한장을 받는다.");
    EXPECT_EQ(first.text(2, 22, 41), "-아무키를 누르면 목차화면으로 돌아갑니다-");
    EXPECT_EQ(first.text(2, 6, 32), "3. play는 컴퓨터와 1:1 대결구도 ");
    for (const int empty : {0, 2, 7, 8, 10, 19, 20, 21, 23, 24}) {
        EXPECT_EQ(first.row(empty), std::string(80, ' ')) << empty;
    }
    EXPECT_EQ(first.text(0, 1, 2), "  ");  // no frame
    EXPECT_EQ(first.screen().cursorY(), 23);

    MemoryConsole second;
    rulesScreen(second);
    rulesScreen(second);
    EXPECT_EQ(first.screen(), second.screen());
}

}  // namespace
}  // namespace sol
