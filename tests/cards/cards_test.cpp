#include <gtest/gtest.h>

#include "cards/deck.h"
#include "support/position.h"

namespace sol {
namespace {

using test::card;
using test::cards;

std::vector<Card> pileCards(const CardStack& s) {
    return {s.items.begin(), s.items.begin() + s.top + 1};
}

TEST(CardStack, LastInFirstOutAndReportsInsteadOfFailing) {
    CardStack s;
    EXPECT_EQ(pop(s), std::nullopt);
    EXPECT_EQ(peek(s), std::nullopt);
    for (const Card c : cards("hA d7 sK")) {
        ASSERT_TRUE(push(s, c));
    }
    EXPECT_EQ(peek(s), card("sK"));
    EXPECT_EQ(pop(s), card("sK"));
    EXPECT_EQ(pop(s), card("d7"));
    while (!isFull(s)) {
        ASSERT_TRUE(push(s, card("c2")));
    }
    EXPECT_FALSE(push(s, card("h9")));  // dropped
    EXPECT_EQ(s.top, CardStack::kCapacity - 1);
    EXPECT_EQ(peek(s), card("c2"));
}

constexpr std::uint32_t kSeed = 20261207;

TEST(Deal, FiveEachFromTheTopOfTheShuffledCardsThenOneInPlay) {
    const std::vector<Card> shuffled = pileCards(makeCards(kSeed));  // the last on top
    EXPECT_NE(shuffled, pileCards(makeCards(kSeed + 1))) << "the seed decides the order";
    GameState game;
    dealCards(game, kSeed);
    EXPECT_EQ(test::deckBroken(game), "");
    for (int k = 0; k < 5; ++k) {
        EXPECT_EQ(game.playerHand.cards[k], shuffled[51 - 2 * k]) << k;
        EXPECT_EQ(game.computerHand.cards[k], shuffled[50 - 2 * k]) << k;
    }
    EXPECT_EQ(game.playerHand.count, 5);
    EXPECT_EQ(game.computerHand.count, 5);
    EXPECT_EQ(pileCards(game.discardPile), std::vector<Card>{shuffled[41]});
    EXPECT_EQ(pileCards(game.drawPile), std::vector(shuffled.begin(), shuffled.begin() + 41));
    EXPECT_EQ(game.turn, Side::Player);
}

TEST(Recycle, TheDiscardsGoBackUnderTheCardInPlayLongestLyingOnTop) {
    GameState game;
    for (const Card c : cards("c6 c7")) {
        ASSERT_TRUE(push(game.drawPile, c));
    }
    for (const Card c : cards("h3 h4 h5")) {
        ASSERT_TRUE(push(game.discardPile, c));
    }
    EXPECT_EQ(recycleDiscard(game).event, Event::Recycled);
    EXPECT_EQ(pileCards(game.discardPile), cards("h5"));
    EXPECT_EQ(pileCards(game.drawPile), cards("c6 c7 h4 h3"));

    // Only the card in play left: nothing moves and nothing is reported.
    const Report again = recycleDiscard(game);
    EXPECT_EQ(again.event, Event::None);
    EXPECT_FALSE(again.ends());
    EXPECT_EQ(pileCards(game.drawPile), cards("c6 c7 h4 h3"));
}

}  // namespace
}  // namespace sol
