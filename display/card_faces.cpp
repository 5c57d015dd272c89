#include "display/card_faces.h"

#include <string>

namespace sol {
namespace {

constexpr int kPlayerSymbolRow = 18;
constexpr int kComputerLetterRow = 3;
constexpr int kPlayColumn = 32;
constexpr int kPlaySymbolRow = 10;
constexpr const char* kBlank = "  ";

constexpr int slotColumn(int k) {
    return k * 4 + 8;
}

const char* symbolOf(char shape) {
    switch (shape) {
        case 'h':
            return "♥";
        case 'd':
            return "◆";
        case 'c':
            return "♣";
        case 's':
            return "♠";
        default:
            return nullptr;
    }
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

void writeSymbol(Console& console, int x, int y, char shape) {
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
    for (int k = 0; k < Hand::kCapacity; ++k) {
        const int x = slotColumn(k);
        if (k < hand.count) {
            writeSymbol(console, x, kPlayerSymbolRow, hand.cards[k].shape);
            writeAt(console, x, kPlayerSymbolRow + 1, playerRank(hand.cards[k].number));
        } else {
            writeAt(console, x, kPlayerSymbolRow, kBlank);
            writeAt(console, x, kPlayerSymbolRow + 1, kBlank);
        }
    }
}

void showComputerHand(Console& console, const Hand& hand) {
    for (int k = 0; k < Hand::kCapacity; ++k) {
        const int x = slotColumn(k);
        if (k < hand.count) {
            writeAt(console, x, kComputerLetterRow, std::string(1, hand.cards[k].shape));
            writeAt(console, x, kComputerLetterRow + 1, computerNumber(hand.cards[k].number));
        } else {
            writeAt(console, x, kComputerLetterRow, kBlank);
            writeAt(console, x, kComputerLetterRow + 1, kBlank);
        }
    }
}

void showCardInPlay(Console& console, Card card) {
    writeSymbol(console, kPlayColumn, kPlaySymbolRow, card.shape);
    // The digits first, so that "11 " leaves its third column blank under
    // the letter written over it.
    writeAt(console, kPlayColumn, kPlaySymbolRow + 1, std::to_string(card.number) + " ");
    if (const char* letter = letterRankOf(card.number)) {
        writeAt(console, kPlayColumn, kPlaySymbolRow + 1, letter);
    }
}

}  // namespace

void showCards(Console& console, const GameState& game) {
    showPlayerHand(console, game.playerHand);
    showComputerHand(console, game.computerHand);
    showCardInPlay(console, peek(*game.discardPile));
}

}  // namespace sol
