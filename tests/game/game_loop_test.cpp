#include "game/game_loop.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "cards/game_result.h"
#include "console/exit_request.h"
#include "console/key_codes.h"
#include "console/memory_console.h"
#include "display/banners.h"
#include "game_position.h"

namespace sol {
namespace {

using test::card;
using test::cards;
using test::handCards;
using test::pileCards;
using test::snapshot;

constexpr int kEnter = key::kEnter;
constexpr int kUp = key::kUp;
constexpr int kDown = key::kDown;
constexpr int kLeft = key::kLeft;
constexpr int kRight = key::kRight;
constexpr int kPrefix = key::kPrefix;

constexpr const char* kRefusal = "낼 수 없는 카드입니다.";
constexpr const char* kRecycled = "카드가 다시 섞였습니다.";

// What the player sees and what the game holds at one key read.
struct Read {
    std::vector<int> markers;  // slots (from 1) showing the selection marker
    bool drawMarker;
    test::Snapshot state;
    std::string row15;
};

struct Session {
    std::vector<Read> reads;
    int status = -1;
    bool inputRanOut = false;  // a key was asked for after the script
    MemoryConsole console;
};

void watch(Session& run, const GameState& game) {
    run.console.setKeySource([&run]() -> std::optional<int> {
        run.inputRanOut = true;
        return std::nullopt;
    });
    run.console.setBeforeRead([&run, &game](const MemoryConsole& c) {
        Read r{{}, c.text(42, 13, 2) == "△", snapshot(game), c.row(15)};
        for (int sel = 1; sel <= Hand::kCapacity; ++sel) {
            if (c.text(sel * 4 + 3, 21, 2) == "△") {
                r.markers.push_back(sel);
            }
        }
        run.reads.push_back(r);
    });
}

// Runs the loop from `game` on `keys`; the run ends when the keys run out or
// the game ends.
void runLoop(Session& run, GameState& game, const std::vector<int>& keys) {
    watch(run, game);
    run.console.pushKeys(keys);
    try {
        runGameLoop(run.console, game);
    } catch (const ExitRequest& request) {
        run.status = request.status;
    }
}

// A quiet position: nothing the player holds matches the card in play.
GameState quiet() {
    return test::position(cards({"c3", "d9", "h6"}), cards({"h8", "hQ"}), card("s5"));
}

struct MarkerCase {
    const char* name;
    std::vector<int> keys;
    int sel;  // where the marker stands at the read after the keys
};

class Marker : public testing::TestWithParam<MarkerCase> {};

TEST_P(Marker, StandsUnderTheSelectedSlotAlone) {
    GameState game = quiet();
    const test::Snapshot before = snapshot(game);
    Session run;
    runLoop(run, game, GetParam().keys);

    ASSERT_EQ(run.reads.size(), GetParam().keys.size() + 1);
    EXPECT_EQ(run.reads.back().markers, std::vector<int>{GetParam().sel});
    EXPECT_FALSE(run.reads.back().drawMarker);
    for (const Read& r : run.reads) {
        // One marker at a time: the draw marker stands in for the other.
        EXPECT_EQ(r.markers.size() + (r.drawMarker ? 1 : 0), 1u);
        EXPECT_EQ(r.state, before);
    }
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.console.cursorHidden());
}

std::vector<int> repeat(int key, int times) {
    return std::vector<int>(times, key);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, Marker,
    testing::Values(MarkerCase{"FirstRead", {}, 1}, MarkerCase{"Right", {kRight}, 2},
                    MarkerCase{"LeftWrapsToFifteen", {kLeft}, 15},
                    MarkerCase{"RightWrapsToOne", repeat(kRight, 15), 1},
                    MarkerCase{"PastTheCardsHeld", repeat(kRight, 9), 10},
                    MarkerCase{"LeftBack", {kRight, kRight, kLeft}, 2},
                    MarkerCase{"DownToOne", {kRight, kRight, kRight, kDown}, 1},
                    MarkerCase{"LetterM", {'M', 'M'}, 3}, MarkerCase{"LetterK", {'K'}, 15},
                    MarkerCase{"LetterP", {'M', 'P'}, 1},
                    MarkerCase{"ArrowAsTwoCodes", {kPrefix, kRight, kPrefix, kRight}, 3},
                    MarkerCase{"PrefixAlone", {kPrefix, kPrefix}, 1},
                    MarkerCase{"OtherCodes", {'x', key::kEscape, 0, 'h', 'm', ' '}, 1},
                    MarkerCase{"DrawCancelledByDown", {kRight, kUp, kDown}, 2},
                    MarkerCase{"DrawCancelledByPrefix", {kUp, kPrefix, kRight}, 2},
                    MarkerCase{"DrawCancelledByLetter", {'H', 'M'}, 1}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(Loop, DrawShowsItsMarkerAndTakesACardOnEnter) {
    for (int up : {kUp, int{'H'}}) {
        GameState game = quiet();
        const Card next = peek(*game.drawPile);
        Session run;
        runLoop(run, game, {up, kEnter});

        ASSERT_EQ(run.reads.size(), 3u);
        EXPECT_TRUE(run.reads[1].drawMarker);
        EXPECT_TRUE(run.reads[1].markers.empty());
        EXPECT_FALSE(run.reads[2].drawMarker);
        const test::Snapshot& after = run.reads[2].state;
        EXPECT_EQ(after.player, (std::vector<Card>{card("c3"), card("d9"), card("h6"), next}));
        // Then the computer had its move: h8 and hQ do not match s5, so it drew.
        EXPECT_EQ(after.computer.size(), 3u);
        EXPECT_EQ(after.turn, 0);
    }
}

TEST(Loop, EnterLaysTheSelectedCardAndTheComputerAnswers) {
    GameState game =
        test::position(cards({"c3", "h5", "d9"}), cards({"d7", "h8", "sQ"}), card("s5"));
    Session run;
    runLoop(run, game, {kRight, kEnter});

    ASSERT_EQ(run.reads.size(), 3u);
    const test::Snapshot& after = run.reads[2].state;
    EXPECT_EQ(after.player, cards({"c3", "d9"}));
    EXPECT_EQ(after.computer, cards({"d7", "sQ"}));  // h8 went on h5
    EXPECT_EQ(after.discard.back(), card("h8"));
    EXPECT_EQ(after.discard[after.discard.size() - 2], card("h5"));
    EXPECT_EQ(run.reads[2].markers, std::vector<int>{2});  // not reset by the turn
}

TEST(Loop, RefusedLayKeepsThePlayersTurn) {
    GameState game = quiet();
    const test::Snapshot before = snapshot(game);
    Session run;
    // A card that does not match, then a slot past the three cards held.
    runLoop(run, game, {kEnter, kLeft, kEnter});

    ASSERT_EQ(run.reads.size(), 4u);
    EXPECT_EQ(run.reads[0].row15.find(kRefusal), std::string::npos);
    for (int i = 1; i < 4; ++i) {
        EXPECT_NE(run.reads[i].row15.find(kRefusal), std::string::npos) << i;
        EXPECT_EQ(run.reads[i].state, before) << i;
    }
}

TEST(Loop, JackOrKingGivesTheComputerAnotherMove) {
    // K on s5, then s7 on the K: two lays, no draw, and the player's turn.
    GameState game = test::position(cards({"c3"}), cards({"d9", "sK", "s7", "h2"}), card("s5"));
    game.turn = 1;
    const int drawTop = game.drawPile->top;
    Session run;
    runLoop(run, game, {});

    ASSERT_EQ(run.reads.size(), 1u);
    const test::Snapshot& s = run.reads[0].state;
    EXPECT_EQ(s.computer, cards({"d9", "h2"}));
    EXPECT_EQ(s.discard.back(), card("s7"));
    EXPECT_EQ(s.discard[s.discard.size() - 2], card("sK"));
    EXPECT_EQ(static_cast<int>(s.draw.size()), drawTop + 1);
    EXPECT_EQ(s.player, cards({"c3"}));
}

struct RecycleCase {
    int drawCards;
    bool recycled;
};

class Recycle : public testing::TestWithParam<RecycleCase> {};

TEST_P(Recycle, AtEightCardsOrFewerBeforeAnybodyMoves) {
    GameState game = test::position(cards({"c3", "d9", "h6"}), cards({"h8", "hQ"}), card("s5"),
                                    GetParam().drawCards);
    const test::Snapshot before = snapshot(game);
    Session run;
    runLoop(run, game, {});

    ASSERT_EQ(run.reads.size(), 1u);
    const Read& r = run.reads[0];
    EXPECT_EQ(r.row15.find(kRecycled) != std::string::npos, GetParam().recycled);
    if (GetParam().recycled) {
        EXPECT_EQ(r.state.discard, cards({"s5"}));
        EXPECT_EQ(r.state.draw.size(), before.draw.size() + before.discard.size() - 1);
    } else {
        EXPECT_EQ(r.state, before);
    }
}

INSTANTIATE_TEST_SUITE_P(Piles, Recycle,
                         testing::Values(RecycleCase{9, false}, RecycleCase{8, true},
                                         RecycleCase{3, true}));

TEST(Loop, RecyclesOnTheComputersPassToo) {
    // The player's draw leaves eight; the pile is refilled before the
    // computer lays h8 on s5... which does not match, so it draws from the
    // refilled pile.
    GameState game = test::position(cards({"c3", "d9"}), cards({"h8", "hQ"}), card("s5"), 9);
    const std::size_t under = pileCards(*game.discardPile).size() - 1;
    Session run;
    runLoop(run, game, {kUp, kEnter});

    ASSERT_EQ(run.reads.size(), 3u);
    const test::Snapshot& s = run.reads[2].state;
    EXPECT_EQ(s.discard, cards({"s5"}));
    EXPECT_EQ(s.draw.size(), 8 + under - 1);
    EXPECT_EQ(s.computer.size(), 3u);
    EXPECT_NE(run.reads[2].row15.find(kRecycled), std::string::npos);
}

ScreenBuffer bannerScreen(Outcome outcome) {
    MemoryConsole reference;
    reference.pushKeys({' '});
    showBanner(reference, outcome);
    return reference.screen();
}

struct EndCase {
    const char* name;
    std::vector<Card> player;
    std::vector<Card> computer;
    int turn;
    std::vector<int> keys;
    Outcome outcome;
};

class End : public testing::TestWithParam<EndCase> {};

TEST_P(End, ClearsShowsTheBannerWaitsForAKeyAndExitsWithOne) {
    const EndCase& p = GetParam();
    GameState game = test::position(p.player, p.computer, card("s5"), 8 + 13);
    game.turn = p.turn;
    Session run;
    std::vector<int> keys = p.keys;
    keys.push_back('q');  // for the banner
    runLoop(run, game, keys);

    EXPECT_EQ(run.status, 1);
    EXPECT_FALSE(run.inputRanOut);
    EXPECT_EQ(run.console.keysRead(), static_cast<int>(keys.size()));
    EXPECT_TRUE(run.console.screen() == bannerScreen(p.outcome));
}

std::vector<Card> fifteenWithoutMatch() {
    return cards({"h2", "h3", "h4", "h6", "h7", "h8", "h9", "h10", "hJ", "hQ", "hK", "hA", "d2",
                  "d3", "d4"});
}

INSTANTIATE_TEST_SUITE_P(
    Games, End,
    testing::Values(
        EndCase{"PlayerLaysLastCard", cards({"s2"}), cards({"h8"}), 0, {kEnter}, Outcome::Win},
        EndCase{"PlayerDrawsAtFifteen",
                fifteenWithoutMatch(),
                cards({"c8"}),
                0,
                {kUp, kEnter},
                Outcome::Lose},
        EndCase{"ComputerLaysLastCard", cards({"c3"}), cards({"sA"}), 1, {}, Outcome::Lose},
        EndCase{
            "ComputerMustDrawAtFifteen", cards({"c3"}), fifteenWithoutMatch(), 1, {}, Outcome::Win},
        EndCase{"PenaltyOverflowsTheComputer",
                cards({"c3", "s2"}),
                fifteenWithoutMatch(),
                0,
                {kRight, kEnter},
                Outcome::Win}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(PlayGame, DealsAndWaitsForTheFirstKeyWithTheMarkerOnSlotOne) {
    MemoryConsole console;
    int reads = 0;
    console.setBeforeRead([&](const MemoryConsole& c) {
        ++reads;
        EXPECT_EQ(c.text(7, 21, 2), "△");
        EXPECT_EQ(c.clearCount(), 1);
        // Five faces up in each row, the sixth slots blank, a card in play.
        EXPECT_NE(c.text(24, 18, 2), "  ");
        EXPECT_EQ(c.text(28, 18, 2), "  ");
        EXPECT_NE(c.text(24, 3, 1), " ");
        EXPECT_EQ(c.text(28, 3, 1), " ");
        EXPECT_NE(c.text(32, 10, 2), "  ");
    });
    try {
        playGame(console, 42);
    } catch (const ExitRequest& request) {
        EXPECT_EQ(request.status, 1);
    }
    EXPECT_EQ(reads, 1);
    EXPECT_TRUE(console.cursorHidden());
}

}  // namespace
}  // namespace sol
