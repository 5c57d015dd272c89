#pragma once

#include <cstdint>
#include <optional>

#include "cards/card.h"
#include "cards/card_stack.h"
#include "cards/hand.h"

namespace sol {

enum class Side : std::uint8_t { Player, Computer };

inline Side opponentOf(Side side) {
    return side == Side::Player ? Side::Computer : Side::Player;
}

// Everything one game holds, as a plain value: a default-constructed state
// is a game not yet dealt, and a test or a search may copy any position.
struct GameState {
    static constexpr int kDeckSize = 52;

    Side turn = Side::Player;
    CardStack drawPile;
    CardStack discardPile;  // its top card is the card in play
    Hand playerHand;
    Hand computerHand;

    Hand& hand(Side side) { return side == Side::Player ? playerHand : computerHand; }
    const Hand& hand(Side side) const { return side == Side::Player ? playerHand : computerHand; }
};

// What a step of play did, for the game loop to show.
enum class Event : std::uint8_t { None, Laid, Refused, Drew, Recycled };

struct Report {
    Event event = Event::None;
    std::optional<Side> winner{};  // the step decided the game
    int droppedCards = 0;          // pushed onto a full pile and lost
    bool pileEmpty = false;        // a card was wanted from an empty pile; the step stopped there
    Card card{};                   // the card laid (Laid) or taken (Drew)
    int opponentTook = 0;          // cards a laid 2 or A made the other side take
    bool movesAgain = false;       // a laid J or K: the side that laid it moves again

    // Nothing more may happen in this game.
    bool ends() const { return winner.has_value() || pileEmpty; }
};

// Takes the top card of the draw pile into the hand of `side` (Event::Drew).
// A side that must take a card while it holds 15 has lost, and nothing moves.
Report drawInto(GameState& game, Side side);

}  // namespace sol
