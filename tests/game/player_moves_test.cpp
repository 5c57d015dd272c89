#include "game/player_moves.h"

#include <gtest/gtest.h>

#include <string>

#include "cards/game_result.h"
#include "console/memory_console.h"
#include "game_position.h"

namespace sol {
namespace {

using test::card;
using test::cards;
using test::handCards;
using test::pileCards;
using test::snapshot;

constexpr const char* kRefusal = "낼 수 없는 카드입니다.";

std::string refusalCells(const MemoryConsole& console) {
    return console.text(32, 15, 22);
}

struct LayCase {
    const char* name;
    const char* held;
    int computerGets;
    int turnAfter;
};

class Lay : public testing::TestWithParam<LayCase> {};

// The card in play is the spade 5 throughout.
TEST_P(Lay, AMatchingCardGoesOnTheDiscardPile) {
    const LayCase& p = GetParam();
    GameState game = test::position(cards({"d9", p.held, "c3"}), cards({"h8", "hQ"}), card("s5"));
    const std::vector<Card> draw = pileCards(*game.drawPile);
    MemoryConsole console;
    console.gotoXY(32, 15);
    console.write(kRefusal);  // left over from an earlier refusal

    playerPlay(console, game, 1);

    EXPECT_EQ(handCards(game.playerHand), cards({"d9", "c3"}));
    EXPECT_EQ(peek(*game.discardPile), card(p.held));
    EXPECT_EQ(game.computerHand.count, 2 + p.computerGets);
    EXPECT_EQ(game.drawPile->top, static_cast<int>(draw.size()) - 1 - p.computerGets);
    EXPECT_EQ(game.turn, p.turnAfter);
    // The whole table is drawn again: the old line is gone, the faces are up.
    EXPECT_EQ(console.clearCount(), 1);
    EXPECT_EQ(refusalCells(console).find(kRefusal), std::string::npos);
    EXPECT_EQ(console.text(12, 18, 2), "♣");
    EXPECT_EQ(console.text(12, 19, 2), "3 ");
}

INSTANTIATE_TEST_SUITE_P(
    Cards, Lay,
    testing::Values(LayCase{"SameNumber", "h5", 0, 1}, LayCase{"SameShape", "s9", 0, 1},
                    LayCase{"Queen", "sQ", 0, 1}, LayCase{"Two", "s2", 2, 1},
                    LayCase{"TwoByNumber", "d5", 0, 1}, LayCase{"Ace", "sA", 3, 1},
                    LayCase{"JackMovesAgain", "sJ", 0, 0}, LayCase{"KingMovesAgain", "sK", 0, 0}),
    [](const auto& param) { return std::string(param.param.name); });

struct RefusalCase {
    const char* name;
    int handSize;
    int index;
};

class Refusal : public testing::TestWithParam<RefusalCase> {};

TEST_P(Refusal, PrintsTheLineAndChangesNothing) {
    const RefusalCase& p = GetParam();
    // Slot 3 held the matching h5 before it was laid, so it still holds it.
    GameState game = test::position(cards({"h6", "d9", "c3", "h5"}), cards({"h8"}), card("s5"));
    ASSERT_EQ(takeFromHand(game.playerHand, 3, 0), card("h5"));
    game.playerHand.count = p.handSize;
    const test::Snapshot before = snapshot(game);
    MemoryConsole console;

    playerPlay(console, game, p.index);

    EXPECT_EQ(refusalCells(console), kRefusal);
    EXPECT_EQ(snapshot(game), before);
    EXPECT_EQ(console.clearCount(), 0);
}

INSTANTIATE_TEST_SUITE_P(Slots, Refusal,
                         testing::Values(RefusalCase{"NoMatch", 3, 0},
                                         RefusalCase{"LeftOverCardPastCount", 3, 3},
                                         RefusalCase{"FarPastCount", 3, 14},
                                         RefusalCase{"OneCardHeldNoMatch", 1, 0}),
                         [](const auto& param) { return std::string(param.param.name); });

TEST(LastCard, WinsWithoutItsEffect) {
    GameState game = test::position(cards({"s2"}), cards({"h8", "hQ"}), card("s5"));
    const test::Snapshot before = snapshot(game);
    MemoryConsole console;
    try {
        playerPlay(console, game, 0);
        FAIL() << "laying the last card decides the game";
    } catch (const GameDecided& decided) {
        EXPECT_EQ(decided.outcome, Outcome::Win);
    }
    EXPECT_EQ(snapshot(game), before);
}

TEST(PlayerDraw, FromFourteenToFifteen) {
    GameState game = test::position({}, cards({"h8"}), card("s5"), 40);
    for (int i = 0; i < 14; ++i) {
        drawInto(game, game.playerHand);
    }
    const Card next = peek(*game.drawPile);
    MemoryConsole console;

    playerDraw(console, game, game.playerHand);

    ASSERT_EQ(game.playerHand.count, 15);
    EXPECT_EQ(game.playerHand.cards[14], next);
    EXPECT_EQ(game.turn, 0);  // the loop passes the turn, not the draw
    EXPECT_EQ(console.text(64, 18, 2), test::symbolOf(next.shape));  // the faces are shown again
}

}  // namespace
}  // namespace sol
