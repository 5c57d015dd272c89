#include "game/computer_move.h"

#include <gtest/gtest.h>

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

struct FitCase {
    const char* name;
    std::vector<Card> hand;
    const char* inPlay;
    int laidSlot;
};

class FirstFit : public testing::TestWithParam<FitCase> {};

TEST_P(FirstFit, LaysTheMatchingCardInTheLowestSlot) {
    const FitCase& p = GetParam();
    GameState game = test::position(cards({"c3", "d9"}), p.hand, card(p.inPlay));
    game.turn = 1;
    const int drawTop = game.drawPile->top;
    MemoryConsole console;  // no keys: a key read would end the test

    computerTurn(console, game);

    std::vector<Card> rest = p.hand;
    rest.erase(rest.begin() + p.laidSlot);
    EXPECT_EQ(handCards(game.computerHand), rest);
    EXPECT_EQ(peek(*game.discardPile), p.hand[p.laidSlot]);
    EXPECT_EQ(game.drawPile->top, drawTop);
    EXPECT_EQ(game.turn, 0);
    EXPECT_EQ(console.keysRead(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Hands, FirstFit,
    testing::Values(FitCase{"ShapeBeforeNumber", cards({"h8", "s9", "d5", "h6"}), "s5", 1},
                    FitCase{"NumberBeforeShape", cards({"h5", "s9"}), "s5", 0},
                    FitCase{"OnlyTheLastSlot", cards({"h8", "d9", "cQ", "sQ"}), "s5", 3},
                    FitCase{"NoPreferenceForTwos", cards({"c8", "sQ", "h2"}), "hQ", 1}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(ComputerTurn, DrawsOneCardToTheEndWhenNothingMatches) {
    GameState game = test::position(cards({"c3"}), cards({"h8", "d9"}), card("s5"));
    game.turn = 1;
    const Card next = peek(*game.drawPile);
    const int drawTop = game.drawPile->top;
    MemoryConsole console;

    computerTurn(console, game);

    EXPECT_EQ(handCards(game.computerHand), (std::vector<Card>{card("h8"), card("d9"), next}));
    EXPECT_EQ(game.drawPile->top, drawTop - 1);
    EXPECT_EQ(peek(*game.discardPile), card("s5"));
    EXPECT_EQ(game.turn, 0);
    // The new card's face is up in slot 2 of the computer's row.
    EXPECT_EQ(console.text(16, 3, 1), std::string(1, next.shape));
}

struct PenaltyCase {
    const char* laid;
    int penalty;
};

class ComputerPenalty : public testing::TestWithParam<PenaltyCase> {};

TEST_P(ComputerPenalty, ThePlayerTakesTheCardsAtTheEndOfTheRow) {
    const PenaltyCase& p = GetParam();
    GameState game = test::position(cards({"c3", "d9"}), cards({p.laid, "h8"}), card("s5"));
    game.turn = 1;
    std::vector<Card> draw = pileCards(*game.drawPile);
    MemoryConsole console;

    computerTurn(console, game);

    std::vector<Card> expected = cards({"c3", "d9"});
    for (int i = 0; i < p.penalty; ++i) {
        expected.push_back(draw[draw.size() - 1 - i]);
    }
    EXPECT_EQ(handCards(game.playerHand), expected);
    EXPECT_EQ(game.computerHand.count, 1);  // laid, and did not draw as well
    EXPECT_EQ(game.turn, 0);
    // The faces are shown again, up to the last penalty card and no further.
    EXPECT_EQ(console.text(8 + 4 * (p.penalty + 1), 18, 2), test::symbolOf(expected.back().shape));
    EXPECT_EQ(console.text(8 + 4 * (p.penalty + 2), 18, 2), "  ");
}

INSTANTIATE_TEST_SUITE_P(Cards, ComputerPenalty,
                         testing::Values(PenaltyCase{"s2", 2}, PenaltyCase{"sA", 3}));

TEST(ComputerTurn, JackAndKingKeepTheTurnWithoutADraw) {
    for (const char* laid : {"sJ", "sK"}) {
        GameState game = test::position(cards({"c3"}), cards({"h8", laid, "d9"}), card("s5"));
        game.turn = 1;
        const int drawTop = game.drawPile->top;
        MemoryConsole console;

        computerTurn(console, game);

        EXPECT_EQ(handCards(game.computerHand), cards({"h8", "d9"})) << laid;
        EXPECT_EQ(peek(*game.discardPile), card(laid)) << laid;
        EXPECT_EQ(game.drawPile->top, drawTop) << laid;
        EXPECT_EQ(game.turn, 1) << laid;
    }
}

}  // namespace
}  // namespace sol
