#include "display/card_faces.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "console/memory_console.h"
#include "display/table.h"

namespace sol {
namespace {

GameState position(const std::vector<Card>& player, const std::vector<Card>& computer,
                   Card inPlay) {
    GameState game;
    for (const Card& c : player) {
        EXPECT_TRUE(appendToHand(game.playerHand, c));
    }
    for (const Card& c : computer) {
        EXPECT_TRUE(appendToHand(game.computerHand, c));
    }
    game.discardPile = std::make_unique<CardStack>();
    push(*game.discardPile, inPlay);
    game.drawPile = std::make_unique<CardStack>();
    return game;
}

int slot(int k) {
    return k * 4 + 8;
}

TEST(CardFaces, PlayerCardsShowSymbolAndRank) {
    struct Case {
        Card card;
        const char* symbol;
        const char* rank;
    };
    const std::vector<Case> cases = {{{1, 'h'}, "♥", "A "},  {{10, 'c'}, "♣", "10"},
                                     {{7, 'd'}, "◆", "7 "},  {{11, 's'}, "♠", "J "},
                                     {{12, 'h'}, "♥", "Q "}, {{13, 'd'}, "◆", "K "},
                                     {{2, 'c'}, "♣", "2 "}};
    std::vector<Card> hand;
    for (const Case& c : cases) {
        hand.push_back(c.card);
    }
    MemoryConsole console;
    drawTable(console);
    showCards(console, position(hand, {{5, 'h'}}, {5, 's'}));
    for (std::size_t k = 0; k < cases.size(); ++k) {
        const int x = slot(static_cast<int>(k));
        EXPECT_EQ(console.text(x, 18, 2), cases[k].symbol) << k;
        EXPECT_EQ(console.text(x, 19, 2), cases[k].rank) << k;
        // The next box's left border is never written over.
        EXPECT_EQ(console.text(x + 2, 19, 2), "┃") << k;
        EXPECT_EQ(console.text(x + 2, 18, 2), "┃") << k;
    }
}

TEST(CardFaces, ComputerCardsShowLetterAndDigits) {
    MemoryConsole console;
    drawTable(console);
    showCards(console, position({{1, 'h'}}, {{7, 'd'}, {13, 's'}, {10, 'c'}}, {5, 's'}));
    EXPECT_EQ(console.text(slot(0), 3, 2), "d ");
    EXPECT_EQ(console.text(slot(0), 4, 2), "7 ");
    EXPECT_EQ(console.text(slot(1), 3, 2), "s ");
    EXPECT_EQ(console.text(slot(1), 4, 2), "13");
    EXPECT_EQ(console.text(slot(2), 4, 2), "10");
    EXPECT_EQ(console.text(slot(2) + 2, 4, 2), "┃");
}

TEST(CardFaces, CardInPlayShowsSymbolAndRank) {
    struct Case {
        Card card;
        const char* symbol;
        const char* rank;  // columns 32 to 35 of row 11
    };
    for (const Case& c :
         {Case{{5, 's'}, "♠", "5   "}, Case{{11, 'd'}, "◆", "J   "}, Case{{1, 'h'}, "♥", "A   "},
          Case{{10, 'c'}, "♣", "10  "}, Case{{13, 'c'}, "♣", "K   "}}) {
        MemoryConsole console;
        drawTable(console);
        showCards(console, position({{1, 'h'}}, {{2, 'h'}}, c.card));
        EXPECT_EQ(console.text(32, 10, 4), std::string(c.symbol) + "  ");
        EXPECT_EQ(console.text(32, 11, 4), c.rank);
        EXPECT_EQ(console.text(36, 11, 2), "┃");
    }
}

TEST(CardFaces, SlotsBeyondTheCountAreBlankAndTheDrawPileBoxStaysEmpty) {
    MemoryConsole console;
    drawTable(console);
    const std::vector<Card> five = {{1, 'h'}, {2, 'h'}, {3, 'h'}, {4, 'h'}, {5, 'h'}};
    GameState game = position(five, five, {9, 'c'});
    for (int i = 0; i < 30; ++i) {
        push(*game.drawPile, Card{6, 'd'});
    }
    showCards(console, game);
    for (int k = 5; k < 15; ++k) {
        for (const int row : {3, 4, 18, 19}) {
            EXPECT_EQ(console.text(slot(k), row, 2), "  ") << "slot " << k << " row " << row;
        }
    }
    EXPECT_EQ(console.text(42, 10, 4), "    ");
    EXPECT_EQ(console.text(42, 11, 4), "    ");
}

TEST(CardFaces, ARedrawAfterARemovalLeavesNoStaleFace) {
    MemoryConsole console;
    drawTable(console);
    // The computer's 13 moves left onto the slot of a 7, and its 7 onto the
    // slot of the 13: no digit of either may linger.
    GameState game =
        position({{10, 'c'}, {4, 'h'}, {5, 'd'}}, {{13, 's'}, {7, 'd'}, {12, 'h'}}, {9, 'c'});
    showCards(console, game);
    takeFromHand(game.playerHand, 0, 0);
    takeFromHand(game.computerHand, 0, 1);
    showCards(console, game);
    EXPECT_EQ(console.text(slot(0), 18, 2), "♥");
    EXPECT_EQ(console.text(slot(0), 19, 2), "4 ");
    EXPECT_EQ(console.text(slot(1), 19, 2), "5 ");
    EXPECT_EQ(console.text(slot(2), 18, 2), "  ");
    EXPECT_EQ(console.text(slot(2), 19, 2), "  ");
    EXPECT_EQ(console.text(slot(0), 3, 2), "d ");
    EXPECT_EQ(console.text(slot(0), 4, 2), "7 ");
    EXPECT_EQ(console.text(slot(1), 4, 2), "12");
    EXPECT_EQ(console.text(slot(2), 4, 2), "  ");
}

}  // namespace
}  // namespace sol
