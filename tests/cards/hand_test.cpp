#include "cards/hand.h"

#include <gtest/gtest.h>

#include <vector>

#include "cards/game_result.h"

namespace sol {
namespace {

constexpr Card kW{2, 'c'}, kX{1, 'h'}, kY{7, 'd'}, kZ{13, 's'};

Hand handOf(const std::vector<Card>& cards) {
    Hand h;
    for (const Card& c : cards) {
        EXPECT_TRUE(appendToHand(h, c));
    }
    return h;
}

struct TakeCase {
    int index;
    Card taken;
    std::vector<Card> left;
    std::vector<Card> slotsAfter;  // every slot that ever held a card
};

class TakeFromHand : public testing::TestWithParam<TakeCase> {};

TEST_P(TakeFromHand, ClosesTheGapAndLeavesTheFreedSlot) {
    const TakeCase& c = GetParam();
    Hand h = handOf({kW, kX, kY, kZ});
    EXPECT_EQ(takeFromHand(h, c.index, 0), c.taken);
    ASSERT_EQ(h.count, static_cast<int>(c.left.size()));
    for (std::size_t i = 0; i < c.slotsAfter.size(); ++i) {
        EXPECT_EQ(h.cards[i], c.slotsAfter[i]) << "slot " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Slots, TakeFromHand,
                         testing::Values(TakeCase{0, kW, {kX, kY, kZ}, {kX, kY, kZ, kZ}},
                                         TakeCase{1, kX, {kW, kY, kZ}, {kW, kY, kZ, kZ}},
                                         TakeCase{3, kZ, {kW, kX, kY}, {kW, kX, kY, kZ}},
                                         // out of range: nothing changes
                                         TakeCase{4, Card{}, {kW, kX, kY, kZ}, {kW, kX, kY, kZ}},
                                         TakeCase{-1, Card{}, {kW, kX, kY, kZ}, {kW, kX, kY, kZ}}));

TEST(Hand, TakingTheOnlyCardDecidesByTurnAndKeepsTheCard) {
    for (const auto& [turn, outcome] : {std::pair{0, Outcome::Win}, std::pair{1, Outcome::Lose}}) {
        for (const int index : {0, 5}) {
            Hand h = handOf({kY});
            try {
                takeFromHand(h, index, turn);
                ADD_FAILURE() << "game not decided";
            } catch (const GameDecided& decided) {
                EXPECT_EQ(decided.outcome, outcome);
            }
            EXPECT_EQ(h.count, 1);
            EXPECT_EQ(h.cards[0], kY);
        }
    }
}

TEST(Hand, HoldsAtMostFifteen) {
    Hand h;
    for (int i = 0; i < 14; ++i) {
        ASSERT_TRUE(appendToHand(h, kX));
    }
    EXPECT_FALSE(isHandFull(h));
    EXPECT_TRUE(appendToHand(h, kZ));
    EXPECT_TRUE(isHandFull(h));
    EXPECT_FALSE(appendToHand(h, kY));
    EXPECT_EQ(h.count, 15);
    EXPECT_EQ(h.cards[14], kZ);
}

TEST(Hand, InitHandEmptiesButLeavesTheSlots) {
    Hand h = handOf({kX, kY});
    initHand(h);
    EXPECT_TRUE(isHandEmpty(h));
    EXPECT_EQ(h.cards[1], kY);
}

}  // namespace
}  // namespace sol
