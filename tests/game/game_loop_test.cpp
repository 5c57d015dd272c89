#include "game/game_loop.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "console/port/exit_request.h"
#include "console/port/key_codes.h"
#include "display/card_faces.h"
#include "display/layout.h"
#include "display/table.h"
#include "support/error_capture.h"
#include "support/golden.h"
#include "support/memory_console.h"
#include "support/position.h"

namespace sol {
namespace {

using namespace key;
using test::card;

constexpr const char* kRefusal = "낼 수 없는 카드입니다.";
constexpr const char* kRecycled = "카드가 다시 섞였습니다.";

// What the player sees and what the game holds at one key read.
struct Read {
    std::string markers;  // "slot N" per selection marker, "draw" for the draw marker
    std::string state;
    bool refusal;
    bool recycled;
};

bool shows(const MemoryConsole& c, layout::Pos at, std::string_view text) {
    return c.text(at.x, at.y, static_cast<int>(text.size())).starts_with(text);
}

std::string markers(const MemoryConsole& c) {
    std::string out;
    for (int slot = 0; slot <= layout::kSlots; ++slot) {  // the last: the draw pile
        const bool draw = slot == layout::kSlots;
        const layout::Pos at{draw ? layout::kDrawMarker.x + 1 : layout::slotBoxColumn(slot) + 1,
                             draw ? layout::kDrawMarker.y : layout::kSelectionMarkerRow};
        if (shows(c, at, "△")) {
            out += (out.empty() ? "" : ", ") + (draw ? "draw" : "slot " + std::to_string(slot + 1));
        }
    }
    return out;
}

struct Session {
    std::vector<Read> reads;
    int status = -1;  // -1: the keys ran out first
    MemoryConsole console;
};

// The loop from `position`, table and faces drawn, on `keys`.
void play(Session& run, GameState& game, const std::vector<int>& keys) {
    drawTable(run.console);
    showCards(run.console, game);
    run.console.setBeforeRead([&](const MemoryConsole& c) {
        run.reads.push_back({markers(c), test::describe(game),
                             shows(c, layout::kRefusalMessage, kRefusal),
                             shows(c, layout::kRecycleMessage, kRecycled)});
    });
    run.console.pushKeys(keys);
    try {
        run.status = runGameLoop(run.console, game);
    } catch (const ExitRequest&) {
    }
}

TEST(Loop, OneMarkerAtATimeAndNothingElseMoves) {
    struct Case {
        const char* name;
        std::vector<int> keys;
        const char* markers;  // at the read after the keys
    };
    for (const Case& c :
         std::vector<Case>{{"FirstRead", {}, "slot 1"},
                           {"LeftWrapsToFifteen", {kLeft}, "slot 15"},
                           {"RightWrapsToOne", std::vector<int>(15, kRight), "slot 1"},
                           {"PastTheCardsHeld", std::vector<int>(9, kRight), "slot 10"},
                           {"DownToOne", {kRight, kRight, kLeft, kDown}, "slot 1"},
                           {"LettersAsArrows", {'M', 'M', 'K'}, "slot 2"},
                           {"ArrowAsTwoCodes", {kPrefix, kRight, kPrefix, kRight}, "slot 3"},
                           {"OtherCodes", {'x', kEscape, 0, 'h', ' '}, "slot 1"},
                           {"DrawAsked", {kRight, kUp}, "draw"},
                           {"DrawGivenUpByAKey", {kRight, 'H', 'x'}, "slot 2"},
                           {"DrawGivenUpByAnArrow", {kUp, kPrefix, kRight}, "slot 2"}}) {
        SCOPED_TRACE(c.name);
        GameState game = test::position("you: c3 d9 h6 | cpu: h8 hQ");
        const std::string before = test::describe(game);
        Session run;
        play(run, game, c.keys);
        ASSERT_EQ(run.reads.size(), c.keys.size() + 1);
        EXPECT_EQ(run.reads.back().markers, c.markers);
        for (const Read& r : run.reads) {
            EXPECT_EQ(r.markers.find(','), std::string::npos) << r.markers;
            EXPECT_EQ(r.state, before);
        }
    }
}

// A refusal is told until the next lay wipes it; a lay and a draw confirmed
// by Enter are each answered by the computer, the marker kept where it was.
TEST(Loop, ARefusalALayAndADrawEachAnswered) {
    GameState game = test::position("you: c3 h5 d9 | cpu: d7 h8 sQ | next: d4 c4");
    Session run;
    play(run, game, {kEnter, kRight, kEnter, kUp, kEnter});
    std::string refusals;
    for (const Read& r : run.reads) {
        refusals += r.refusal ? '!' : '-';
    }
    ASSERT_EQ(refusals, "-!!---");
    EXPECT_EQ(run.reads[3].state, "you: c3 d9 | cpu: d7 sQ | play: h8 | turn: you");
    EXPECT_EQ(run.reads[3].markers, "slot 2");
    EXPECT_EQ(run.reads[5].state, "you: c3 d9 d4 | cpu: d7 sQ c4 | play: h8 | turn: you");
    EXPECT_EQ(run.reads[5].markers, "slot 2");
}

// A press on a card lays it as the marker and Enter would, refusal and all;
// on an empty slot or off the table it does nothing; on the pile it offers a
// draw that only a second press on the pile confirms.
// A listener hears each step in the order the screen shows it, and where
// the marker stands once the turn comes back.
TEST(Loop, EachStepIsToldAsItIsShown) {
    GameState game = test::position("you: c3 h5 d9 | cpu: d7 h8 sQ | play: h9");
    MemoryConsole console;
    console.pushKeys({kEnter, kRight, kEnter, kUp, 'x'});
    EXPECT_THROW(runGameLoop(console, game), ExitRequest);  // out of keys
    EXPECT_EQ(console.takeSpoken(),
              (std::vector<std::string>{
                  kRefusal, "2번 하트 5", "하트 5를 냈습니다.",
                  "컴퓨터가 하트 8을 냈습니다. 컴퓨터 카드 2장. 낼 카드는 하트 8. 내 차례입니다.",
                  "2번 다이아몬드 9",
                  "카드 더미. Enter를 누르거나 더미를 한 번 더 누르면 한 장 받습니다.",
                  "받지 않았습니다."}));
}

TEST(Loop, PressesLayAndDrawAsTheKeysDo) {
    GameState game = test::position("you: c3 h5 d9 | cpu: d7 h8 sQ | next: d4 c4");
    Session run;
    const auto slot = [](int index, int row) {
        return layout::Pos{layout::slotBoxColumn(index) + 1, layout::kPlayerBoxRow + row};
    };
    const layout::Pos pile{layout::kDrawBox.x + 7, layout::kDrawBox.y + 3};
    for (const layout::Pos at :
         {slot(0, 1), slot(1, 3), slot(4, 1), pile, layout::Pos{0, 0}, pile, pile}) {
        run.console.pushPress(at.x, at.y);
    }
    play(run, game, {});
    std::vector<std::string> seen;
    for (const Read& r : run.reads) {
        seen.push_back(r.markers + (r.refusal ? " refused" : "") + " | " + r.state);
    }
    ASSERT_EQ(seen.size(), 8u);
    EXPECT_EQ(seen[1].substr(0, 15), "slot 1 refused ");
    EXPECT_EQ(seen[2], "slot 2 | you: c3 d9 | cpu: d7 sQ | play: h8 | turn: you");
    EXPECT_EQ(seen[3], seen[2]) << "an empty slot";
    EXPECT_EQ(seen[4], "draw | you: c3 d9 | cpu: d7 sQ | play: h8 | turn: you");
    EXPECT_EQ(seen[5], seen[2]) << "given up by a press elsewhere";
    EXPECT_EQ(seen[6], seen[4]);
    EXPECT_EQ(seen[7], "slot 2 | you: c3 d9 d4 | cpu: d7 sQ c4 | play: h8 | turn: you");
}

// The banner's wait takes a press as it takes a key.
TEST(Loop, APressEndsTheBanner) {
    GameState game = test::position("you: s2 | cpu: h8");
    Session run;
    run.console.pushKeys({kEnter});
    run.console.pushPress(10, 10);
    play(run, game, {});
    EXPECT_EQ(run.reads.size(), 2u);
    EXPECT_EQ(run.status, 1);
}

TEST(Loop, RecyclesAtEightCardsOrFewerBeforeAnybodyMoves) {
    for (const int draw : {9, 8}) {
        GameState game = test::position("you: c3 | cpu: h8 | draw: " + std::to_string(draw));
        Session run;
        play(run, game, {});
        ASSERT_EQ(run.reads.size(), 1u);
        EXPECT_EQ(run.reads[0].recycled, draw == 8);
        EXPECT_EQ(game.discardPile.top, draw == 8 ? 0 : 52 - 3 - draw) << draw;
    }
}

TEST(Loop, AnEndClearsShowsTheBannerTakesOneKeyAndEndsWithOne) {
    struct Case {
        const char* position;
        std::vector<int> keys;
        const char* banner;
    };
    for (const Case& c : std::vector<Case>{
             {"you: s2 | cpu: h8", {kEnter}, "win.txt"},  // the player lays the last card
             {"you: h2 h3 h4 h6 h7 h8 h9 h10 hJ hQ hK hA d2 d3 d4 | cpu: c8",  // draws at 15
              {kUp, kEnter},
              "lose.txt"},
             {"you: c3 | cpu: sA | turn: cpu", {}, "lose.txt"}}) {  // the computer lays its last
        SCOPED_TRACE(c.position);
        GameState game = test::position(c.position);
        Session run;
        std::vector<int> keys = c.keys;
        keys.insert(keys.end(), {kPrefix, kUp});  // the banner takes the first code only
        play(run, game, keys);
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.console.keysLeft(), 1u);
        EXPECT_GOLDEN(run.console.screen(), c.banner);
    }
}

TEST(Loop, PileErrorsGoToTheErrorStreamAndAnEmptyPileEndsWithOne) {
    test::ScopedErrorCapture errors;
    GameState full = test::position("you: h5 | cpu: d8");
    while (push(full.discardPile, card("s5"))) {
    }
    full.playerHand.cards[1] = card("s9");  // a second card, so the lay is not the last
    full.playerHand.count = 2;
    Session first;
    play(first, full, {kEnter});
    EXPECT_EQ(errors.text(), "스택 포화 에러\n");
    EXPECT_EQ(first.status, -1) << "play goes on";

    GameState empty = test::position("you: c3 | cpu: h8");
    empty.drawPile.top = -1;
    Session second;
    play(second, empty, {kUp, kEnter});
    EXPECT_EQ(errors.text(), "스택 포화 에러\n스택 공백 에러\n");
    EXPECT_EQ(second.status, 1);
    EXPECT_NE(second.console.text(layout::kDrawBox.x, layout::kDrawBox.y, 2), " ")
        << "no banner: the table stays";
}

}  // namespace
}  // namespace sol
