#include "display/card_faces.h"

#include <string>

#include "cards/card_words.h"
#include "display/layout.h"
#include "display/put_at.h"

namespace sol {
namespace {

constexpr std::string_view kBlank = "  ";

void writeSymbol(Console& console, layout::Pos at, Shape shape) {
    putAt(console, at, wordsOf(shape).glyph);
}

// A slot shows two columns before the next box's border, so a 10 is written
// without its trailing blank to leave that border whole.
std::string playerRank(int number) {
    return number == kTen ? rankFace(number) : rankFace(number) + " ";
}

// The blank after a one-digit number wipes the second digit of a card that
// stood in the slot before the hand closed up.
std::string computerNumber(int number) {
    const std::string digits = std::to_string(number);
    return digits.size() == 1 ? digits + " " : digits;
}

void showPlayerHand(Console& console, const Hand& hand) {
    constexpr int y = layout::kPlayerFaceRow;
    for (int k = 0; k < Hand::kCapacity; ++k) {
        const int x = layout::slotFaceColumn(k);
        if (k < hand.count) {
            writeSymbol(console, {x, y}, hand.cards[k].shape);
            putAt(console, {x, y + 1}, playerRank(hand.cards[k].number));
        } else {
            putAt(console, {x, y}, kBlank);
            putAt(console, {x, y + 1}, kBlank);
        }
    }
}

void showComputerHand(Console& console, const Hand& hand) {
    constexpr int y = layout::kComputerFaceRow;
    for (int k = 0; k < Hand::kCapacity; ++k) {
        const int x = layout::slotFaceColumn(k);
        if (k < hand.count) {
            putAt(console, {x, y}, std::string(1, wordsOf(hand.cards[k].shape).letter));
            putAt(console, {x, y + 1}, computerNumber(hand.cards[k].number));
        } else {
            putAt(console, {x, y}, kBlank);
            putAt(console, {x, y + 1}, kBlank);
        }
    }
}

void showCardInPlay(Console& console, Card card) {
    const auto [x, y] = layout::kInPlayFace;
    writeSymbol(console, {x, y}, card.shape);
    // The digits first, so that "11 " leaves its third column blank under
    // the letter written over it.
    putAt(console, {x, y + 1}, std::to_string(card.number) + " ");
    if (hasLetterFace(card.number)) {
        putAt(console, {x, y + 1}, rankFace(card.number) + " ");
    }
}

}  // namespace

void showCards(Console& console, const GameState& game) {
    showPlayerHand(console, game.playerHand);
    showComputerHand(console, game.computerHand);
    if (const std::optional<Card> inPlay = peek(game.discardPile)) {
        showCardInPlay(console, *inPlay);
    }
}

}  // namespace sol
