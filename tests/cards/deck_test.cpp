#include "cards/deck.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <utility>

#include "cards/game_result.h"
#include "console/memory_console.h"

namespace sol {
namespace {

constexpr std::uint32_t kSeed = 20261207;

std::vector<Card> pileBottomToTop(const CardStack& s) {
    return {s.items.begin(), s.items.begin() + s.top + 1};
}

TEST(Deal, FiveEachOneInPlayAndFortyOneToDraw) {
    GameState game;
    dealCards(game, kSeed);
    EXPECT_EQ(game.playerHand.count, 5);
    EXPECT_EQ(game.computerHand.count, 5);
    EXPECT_EQ(game.discardPile->top, 0);
    EXPECT_EQ(game.drawPile->top, 40);
    EXPECT_EQ(game.turn, 0);

    std::set<std::pair<int, char>> seen;
    std::map<char, int> perShape;
    std::map<int, int> perNumber;
    auto count = [&](Card c) {
        seen.insert({c.number, c.shape});
        ++perShape[c.shape];
        ++perNumber[c.number];
    };
    for (int i = 0; i < 5; ++i) {
        count(game.playerHand.cards[i]);
        count(game.computerHand.cards[i]);
    }
    for (const Card& c : pileBottomToTop(*game.drawPile)) {
        count(c);
    }
    count(peek(*game.discardPile));
    EXPECT_EQ(seen.size(), 52u);
    EXPECT_EQ(perShape, (std::map<char, int>{{'c', 13}, {'d', 13}, {'h', 13}, {'s', 13}}));
    for (int number = 1; number <= 13; ++number) {
        EXPECT_EQ(perNumber[number], 4) << number;
    }
}

TEST(Deal, DealsFromTheTopOfTheShuffledSet) {
    GameState game;
    dealCards(game, kSeed);
    const auto& c = *game.cardSet;
    for (int k = 0; k < 5; ++k) {
        EXPECT_EQ(game.playerHand.cards[k], c[51 - 2 * k]) << k;
        EXPECT_EQ(game.computerHand.cards[k], c[50 - 2 * k]) << k;
    }
    EXPECT_EQ(peek(*game.discardPile), c[41]);
    EXPECT_EQ(pileBottomToTop(*game.drawPile), std::vector<Card>(c.begin(), c.begin() + 41));
}

TEST(Shuffle, SameSeedGivesTheSameCards) {
    GameState a, b, other;
    dealCards(a, kSeed);
    dealCards(b, kSeed);
    dealCards(other, kSeed + 1);
    EXPECT_EQ(*a.cardSet, *b.cardSet);
    EXPECT_NE(*a.cardSet, *other.cardSet);
}

TEST(Recycle, TurnsTheDiscardsBackUnderTheNotice) {
    constexpr Card kP{3, 'h'}, kQ{4, 'h'}, kR{5, 'h'}, kS{6, 'c'}, kT{7, 'c'};
    GameState game;
    game.drawPile = std::make_unique<CardStack>();
    game.discardPile = std::make_unique<CardStack>();
    for (Card c : {kS, kT}) {
        push(*game.drawPile, c);
    }
    for (Card c : {kP, kQ, kR}) {
        push(*game.discardPile, c);
    }
    MemoryConsole console;
    recycleDiscard(console, game);
    EXPECT_EQ(pileBottomToTop(*game.discardPile), std::vector<Card>{kR});
    EXPECT_EQ(pileBottomToTop(*game.drawPile), (std::vector<Card>{kS, kT, kQ, kP}));
    EXPECT_EQ(console.text(35, 15, 23), "카드가 다시 섞였습니다.");
    EXPECT_EQ(game.turn, 0);
}

TEST(Recycle, OnlyTheCardInPlayMovesNothingAndSaysNothing) {
    GameState game;
    game.drawPile = std::make_unique<CardStack>();
    game.discardPile = std::make_unique<CardStack>();
    push(*game.discardPile, Card{9, 's'});
    MemoryConsole console;
    recycleDiscard(console, game);
    EXPECT_EQ(game.drawPile->top, -1);
    EXPECT_EQ(game.discardPile->top, 0);
    EXPECT_EQ(console.row(15), std::string(80, ' '));
}

TEST(DrawInto, ASideThatMustTakeAtFifteenLoses) {
    for (const bool player : {true, false}) {
        GameState game;
        dealCards(game, kSeed);
        Hand& hand = player ? game.playerHand : game.computerHand;
        while (!isHandFull(hand)) {
            drawInto(game, hand);
        }
        const int drawTop = game.drawPile->top;
        try {
            drawInto(game, hand);
            ADD_FAILURE() << "game not decided";
        } catch (const GameDecided& decided) {
            EXPECT_EQ(decided.outcome, player ? Outcome::Lose : Outcome::Win);
        }
        EXPECT_EQ(hand.count, 15);
        EXPECT_EQ(game.drawPile->top, drawTop);
    }
}

}  // namespace
}  // namespace sol
