#include "game/card_effects.h"

#include <gtest/gtest.h>

#include "cards/game_result.h"
#include "game_position.h"

namespace sol {
namespace {

using test::card;
using test::cards;
using test::handCards;
using test::pileCards;

struct EffectCase {
    const char* laid;
    int penalty;
};

class Effect : public testing::TestWithParam<EffectCase> {};

TEST_P(Effect, OpponentTakesThePenaltyFromTheTopOfTheDrawPile) {
    const Card laid = card(GetParam().laid);
    GameState game = test::position(cards({"h3", "c9"}), cards({"d4", "s8"}), laid);
    const std::vector<Card> drawBefore = pileCards(*game.drawPile);
    const std::vector<Card> discardBefore = pileCards(*game.discardPile);
    const std::vector<Card> playerBefore = handCards(game.playerHand);

    applyCardEffect(game, game.computerHand, laid.number, laid.shape);

    const int n = GetParam().penalty;
    std::vector<Card> expected = cards({"d4", "s8"});
    for (int i = 0; i < n; ++i) {
        expected.push_back(drawBefore[drawBefore.size() - 1 - i]);  // in pop order
    }
    EXPECT_EQ(handCards(game.computerHand), expected);
    EXPECT_EQ(game.drawPile->top, static_cast<int>(drawBefore.size()) - 1 - n);
    EXPECT_EQ(pileCards(*game.discardPile), discardBefore);
    EXPECT_EQ(handCards(game.playerHand), playerBefore);
}

INSTANTIATE_TEST_SUITE_P(Numbers, Effect,
                         testing::Values(EffectCase{"h2", 2}, EffectCase{"s2", 2},
                                         EffectCase{"hA", 3}, EffectCase{"sA", 3},
                                         EffectCase{"c7", 0}, EffectCase{"dQ", 0},
                                         EffectCase{"hJ", 0}, EffectCase{"sK", 0},
                                         EffectCase{"c10", 0}, EffectCase{"d3", 0}));

TEST(Effect, PenaltyReachingFifteenIsTaken) {
    GameState game = test::position(cards({"h3"}), {}, card("s2"), 40);
    // 13 cards, then a 2: exactly 15, and play goes on.
    for (int i = 0; i < 13; ++i) {
        drawInto(game, game.computerHand);
    }
    applyCardEffect(game, game.computerHand, 2, 's');
    EXPECT_EQ(game.computerHand.count, 15);
}

struct OverflowCase {
    bool toPlayer;
    int held;
    int number;
    int taken;  // cards that fit before the sixteenth is refused
    Outcome outcome;
};

class Overflow : public testing::TestWithParam<OverflowCase> {};

TEST_P(Overflow, ASideThatMustTakeBeyondFifteenLosesAndNothingIsStoredBeyond) {
    const OverflowCase& p = GetParam();
    GameState game = test::position({}, {}, card("d5"), 40);
    Hand& target = p.toPlayer ? game.playerHand : game.computerHand;
    for (int i = 0; i < p.held; ++i) {
        drawInto(game, target);
    }
    const int drawTop = game.drawPile->top;
    try {
        applyCardEffect(game, target, p.number, 'h');
        FAIL() << "the game should have been decided";
    } catch (const GameDecided& decided) {
        EXPECT_EQ(decided.outcome, p.outcome);
    }
    EXPECT_EQ(target.count, 15);
    EXPECT_EQ(game.drawPile->top, drawTop - p.taken);
}

INSTANTIATE_TEST_SUITE_P(Capacity, Overflow,
                         testing::Values(OverflowCase{true, 14, 2, 1, Outcome::Lose},
                                         OverflowCase{true, 13, 1, 2, Outcome::Lose},
                                         OverflowCase{true, 15, 2, 0, Outcome::Lose},
                                         OverflowCase{false, 14, 2, 1, Outcome::Win},
                                         OverflowCase{false, 14, 1, 1, Outcome::Win},
                                         OverflowCase{false, 15, 1, 0, Outcome::Win}));

}  // namespace
}  // namespace sol
