#include "display/card_faces.h"

#include <string>

#include "display/layout.h"

namespace sol {
namespace {

constexpr const char* kBlank = "  ";

const char* symbolOf(Shape shape) {
    switch (shape) {
        case Shape::Heart:
            return "♥";
        case Shape::Diamond:
            return "◆";
        case Shape::Club:
            return "♣";
        case Shape::Spade:
            return "♠";
    }
    return nullptr;
}

const char* letterRankOf(int number) {
    switch (number) {
        case 1:
            return "A ";
        case 11:
            return "J ";
        case 12:
            return "Q ";
        case 13:
            return "K ";
        default:
            return nullptr;
    }
}

void writeAt(Console& console, int x, int y, const std::string& text) {
    console.gotoXY(x, y);
    console.write(text);
}

void writeSymbol(Console& console, int x, int y, Shape shape) {
    if (const char* symbol = symbolOf(shape)) {
        writeAt(console, x, y, symbol);
    }
}

// A slot shows two columns before the next box's border, so a 10 is written
// without its trailing blank to leave that border whole.
std::string playerRank(int number) {
    if (const char* letter = letterRankOf(number)) {
        return letter;
    }
    return number == 10 ? "10" : std::to_string(number) + " ";
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
            writeSymbol(console, x, y, hand.cards[k].shape);
            writeAt(console, x, y + 1, playerRank(hand.cards[k].number));
        } else {
            writeAt(console, x, y, kBlank);
            writeAt(console, x, y + 1, kBlank);
        }
    }
}

void showComputerHand(Console& console, const Hand& hand) {
    constexpr int y = layout::kComputerFaceRow;
    for (int k = 0; k < Hand::kCapacity; ++k) {
        const int x = layout::slotFaceColumn(k);
        if (k < hand.count) {
            writeAt(console, x, y, std::string(1, static_cast<char>(hand.cards[k].shape)));
            writeAt(console, x, y + 1, computerNumber(hand.cards[k].number));
        } else {
            writeAt(console, x, y, kBlank);
            writeAt(console, x, y + 1, kBlank);
        }
    }
}

void showCardInPlay(Console& console, Card card) {
    const auto [x, y] = layout::kInPlayFace;
    writeSymbol(console, x, y, card.shape);
    // The digits first, so that "11 " leaves its third column blank under
    // the letter written over it.
    writeAt(console, x, y + 1, std::to_string(card.number) + " ");
    if (const char* letter = letterRankOf(card.number)) {
        writeAt(console, x, y + 1, letter);
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
