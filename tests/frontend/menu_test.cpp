#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "console/port/exit_request.h"
#include "console/port/key_codes.h"
#include "display/layout.h"
#include "frontend/menu_loop.h"
#include "frontend/menu_screen.h"
#include "support/golden.h"
#include "support/memory_console.h"

namespace sol {
namespace {

using namespace key;

// The entry under the menu's marker, 0 for none; a second marker is -1.
int markedEntry(const MemoryConsole& c) {
    int marked = 0;
    for (int entry = 1; entry <= 3; ++entry) {
        if (c.text(layout::kMenuMarkerColumn, layout::menuEntryRow(entry), 2) == "☞") {
            marked = marked == 0 ? entry : -1;
        }
    }
    return marked;
}

TEST(MenuScreen, ReturnsTheEntryUnderTheOneMarker) {
    struct Case {
        const char* name;
        std::vector<int> keys;  // Enter is added at the end
        MenuEntry entry;
    };
    for (const Case& c : std::vector<Case>{
             {"EnterAtOnce", {}, MenuEntry::StartGame},
             {"UpWrapsToThree", {kPrefix, kUp}, MenuEntry::Quit},
             {"DownWrapsToOne", {kDown, kDown, kDown}, MenuEntry::StartGame},
             {"UpFromThree", {kUp, kUp}, MenuEntry::ShowRules},
             {"CapitalLettersActAsArrows", {'H', 'P', 'P'}, MenuEntry::ShowRules},
             {"OtherKeysChangeNothing",
              {kLeft, kRight, 'h', 'p', '3', kEscape, kPadPrefix, 0xAC00, kPrefix, kCtrlUp},
              MenuEntry::StartGame}}) {
        SCOPED_TRACE(c.name);
        MemoryConsole console;
        std::vector<int> keys = c.keys;
        keys.push_back(kEnter);
        console.pushKeys(keys);
        std::vector<int> marked;
        console.setBeforeRead([&](const MemoryConsole& m) { marked.push_back(markedEntry(m)); });
        EXPECT_EQ(menuScreen(console), c.entry);
        EXPECT_EQ(marked.back(), static_cast<int>(c.entry));
        EXPECT_EQ(std::count(marked.begin(), marked.end(), -1), 0) << "a half marker left behind";
    }
}

// The status the loop returns, or -1 when the keys run out first.
int runMenu(MemoryConsole& console, const std::vector<int>& keys) {
    console.pushKeys(keys);
    try {
        return mainMenuLoop(console, [] { return 7u; });
    } catch (const ExitRequest&) {
        return -1;
    }
}

// The framed menu with its marker on entry 1, the rules on a clean screen,
// any key back to the menu on entry 1 again, and quit on a cleared screen.
TEST(MenuLoop, MenuRulesMenuAndQuit) {
    MemoryConsole console;
    std::vector<int> marked;
    console.setBeforeRead([&](const MemoryConsole& c) {
        marked.push_back(markedEntry(c));
        EXPECT_TRUE(c.cursorHidden());
        if (marked.size() == 1) {
            EXPECT_GOLDEN(c.screen(), "menu.txt");
        } else if (marked.size() == 3) {
            EXPECT_GOLDEN(c.screen(), "rules.txt");
        }
    });
    EXPECT_EQ(runMenu(console, {kDown, kEnter, 'x', kUp, kEnter}), 0);
    EXPECT_EQ(marked, (std::vector<int>{1, 2, 0, 1, 3}));
    EXPECT_EQ(test::screenText(console.screen()), std::string(25, '\n'));
}

// An arrow on the rules screen is two codes: the wait takes the prefix and
// the menu takes the arrow as its first key.
TEST(MenuLoop, AnArrowOnTheRulesScreenMovesTheMenuBackOnIt) {
    for (const auto& [arrow, entry] : {std::pair{kUp, 3}, {kDown, 2}, {kLeft, 1}, {kRight, 1}}) {
        MemoryConsole console;
        std::vector<int> marked;
        console.setBeforeRead([&](const MemoryConsole& c) { marked.push_back(markedEntry(c)); });
        runMenu(console, {kDown, kEnter, kPrefix, arrow});
        ASSERT_EQ(marked.size(), 5u);
        EXPECT_EQ(marked[4], entry) << arrow;
    }
}

// A press anywhere on an entry's box (its three rows, its columns) chooses
// that entry; a press elsewhere does nothing; on the rules screen a press is
// any key.
TEST(MenuScreen, APressOnAnEntrysBoxChoosesIt) {
    struct Case {
        layout::Pos at;
        int entry;  // 0: nothing chosen
    };
    const int box = layout::kMenuBoxColumn;
    for (const Case& c :
         {Case{{box, layout::menuEntryRow(1) - 1}, 1},
          Case{{box + 22, layout::menuEntryRow(2) + 1}, 2},
          Case{{box + 10, layout::menuEntryRow(3)}, 3}, Case{{box - 1, layout::menuEntryRow(1)}, 0},
          Case{{box + 23, layout::menuEntryRow(2)}, 0}, Case{{box, layout::menuEntryRow(1) + 2}, 0},
          Case{{layout::kMenuMarkerColumn, layout::menuEntryRow(3)}, 0}}) {
        SCOPED_TRACE(std::to_string(c.at.x) + "," + std::to_string(c.at.y));
        MemoryConsole console;
        console.pushPress(c.at.x, c.at.y);
        console.pushKeys({kEnter});
        int reads = 0;
        console.setBeforeRead([&](const MemoryConsole&) { ++reads; });
        EXPECT_EQ(menuScreen(console), static_cast<MenuEntry>(c.entry == 0 ? 1 : c.entry));
        EXPECT_EQ(reads, c.entry == 0 ? 2 : 1);
    }
    MemoryConsole console;  // rules by a press, back by a press, quit by a press
    console.pushPress(layout::kMenuBoxColumn + 5, layout::menuEntryRow(2));
    console.pushPress(0, 0);
    console.pushPress(layout::kMenuBoxColumn + 5, layout::menuEntryRow(3));
    EXPECT_EQ(runMenu(console, {}), 0);
}

// A listener hears the menu as it opens, each move of the marker, and the
// rules a line at a time with their symbols as words.
TEST(MenuScreen, IsToldToAListener) {
    MemoryConsole console;
    console.pushKeys(
        {key::kPrefix, key::kDown, key::kPrefix, key::kUp, key::kPrefix, key::kUp, key::kEnter});
    EXPECT_EQ(menuScreen(console), MenuEntry::Quit);
    const std::vector<std::string> spoken = console.takeSpoken();
    ASSERT_EQ(spoken.size(), 4u);
    EXPECT_TRUE(spoken[0].starts_with("솔방울 메뉴. ")) << spoken[0];
    EXPECT_TRUE(spoken[0].ends_with(" 게임 시작, 1/3")) << spoken[0];
    EXPECT_EQ(spoken[1], "게임 설명, 2/3");
    EXPECT_EQ(spoken[2], "게임 시작, 1/3");
    EXPECT_EQ(spoken[3], "종료 하기, 3/3");

    console.pushKeys({key::kDown, key::kEnter, 'x', key::kDown, key::kDown, key::kEnter});
    EXPECT_EQ(mainMenuLoop(console, [] { return 1u; }), 0);
    std::vector<std::string> rules = console.takeSpoken();
    rules.erase(rules.begin(), rules.begin() + 2);  // the menu and its move
    ASSERT_GE(rules.size(), 15u);
    EXPECT_EQ(rules[0], "솔방울게임");
    EXPECT_EQ(rules[14], "아무키를 누르면 목차화면으로 돌아갑니다");
    for (const std::string& line : rules) {
        for (const char* symbol : {"♣", "♥", "◆", "♠", "☞"}) {
            EXPECT_EQ(line.find(symbol), std::string::npos) << line;
        }
    }
}

}  // namespace
}  // namespace sol
