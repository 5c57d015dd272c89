#pragma once

#include <algorithm>
#include <initializer_list>
#include <memory>
#include <ostream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "cards/game_state.h"

namespace sol {

// Readable cards in test failures: "h5", "sA".
inline void PrintTo(const Card& c, std::ostream* os) {
    static const char* const ranks[] = {"?", "A", "2", "3",  "4", "5", "6",
                                        "7", "8", "9", "10", "J", "Q", "K"};
    *os << (c.shape ? c.shape : '-') << (c.number >= 0 && c.number <= 13 ? ranks[c.number] : "?");
}

}  // namespace sol

namespace sol::test {

// The glyph the faces show for a shape in the player's row and in play.
inline std::string symbolOf(char shape) {
    switch (shape) {
        case 'h':
            return "♥";
        case 'd':
            return "◆";
        case 'c':
            return "♣";
        default:
            return "♠";
    }
}

// "h5", "sA", "d10", "cK": shape letter, then the number or its letter.
inline Card card(std::string_view text) {
    const std::string rank(text.substr(1));
    int number = 0;
    if (rank == "A") {
        number = 1;
    } else if (rank == "J") {
        number = 11;
    } else if (rank == "Q") {
        number = 12;
    } else if (rank == "K") {
        number = 13;
    } else {
        number = std::stoi(rank);
    }
    return Card{number, text[0]};
}

inline std::vector<Card> cards(std::initializer_list<std::string_view> texts) {
    std::vector<Card> out;
    for (std::string_view t : texts) {
        out.push_back(card(t));
    }
    return out;
}

inline std::vector<Card> fullDeck() {
    std::vector<Card> deck;
    for (char shape : {'h', 'd', 'c', 's'}) {
        for (int n = 1; n <= 13; ++n) {
            deck.push_back(Card{n, shape});
        }
    }
    return deck;
}

inline std::vector<Card> handCards(const Hand& h) {
    return {h.cards.begin(), h.cards.begin() + h.count};
}

inline std::vector<Card> pileCards(const CardStack& s) {
    return {s.items.begin(), s.items.begin() + s.top + 1};
}

// Everything a move may change, for comparing a state before and after.
struct Snapshot {
    std::vector<Card> player, computer, draw, discard;
    int turn;
    bool operator==(const Snapshot&) const = default;
};

inline Snapshot snapshot(const GameState& g) {
    return {handCards(g.playerHand), handCards(g.computerHand), pileCards(*g.drawPile),
            pileCards(*g.discardPile), g.turn};
}

// A game in any position with all 52 cards accounted for: the hands and the
// card in play as given; of the other cards, in deck order, the first
// `drawCards` form the draw pile (the last of them on top) and the rest lie
// under the card in play.
inline GameState position(const std::vector<Card>& player, const std::vector<Card>& computer,
                          Card inPlay, int drawCards = 30) {
    GameState game;
    game.drawPile = std::make_unique<CardStack>();
    game.discardPile = std::make_unique<CardStack>();
    initStack(*game.drawPile);
    initStack(*game.discardPile);
    for (Card c : player) {
        if (!appendToHand(game.playerHand, c)) {
            throw std::logic_error("player hand over 15");
        }
    }
    for (Card c : computer) {
        if (!appendToHand(game.computerHand, c)) {
            throw std::logic_error("computer hand over 15");
        }
    }
    std::vector<Card> rest;
    for (Card c : fullDeck()) {
        const bool used = std::count(player.begin(), player.end(), c) +
                              std::count(computer.begin(), computer.end(), c) +
                              (c == inPlay ? 1 : 0) >
                          0;
        if (!used) {
            rest.push_back(c);
        }
    }
    if (drawCards > static_cast<int>(rest.size())) {
        throw std::logic_error("not enough cards left for the draw pile");
    }
    for (int i = 0; i < static_cast<int>(rest.size()); ++i) {
        push(i < drawCards ? *game.drawPile : *game.discardPile, rest[i]);
    }
    push(*game.discardPile, inPlay);
    return game;
}

}  // namespace sol::test
