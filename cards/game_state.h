#pragma once

#include <array>
#include <memory>

#include "cards/card.h"
#include "cards/card_stack.h"
#include "cards/hand.h"

namespace sol {

// Everything one game holds. A default-constructed state is a game not yet
// dealt; tests may also set up any position directly.
struct GameState {
    static constexpr int kDeckSize = 52;

    int turn = 0;  // 0 the player, 1 the computer
    std::unique_ptr<CardStack> drawPile;
    std::unique_ptr<CardStack> discardPile;
    std::unique_ptr<std::array<Card, kDeckSize>> cardSet;
    Hand playerHand;
    Hand computerHand;
};

// Moves the top card of the draw pile into `hand`, one of the state's two.
// A side that must take a card while it holds 15 loses: the game is decided
// (Lose for the player's hand, Win for the computer's) and nothing moves.
void drawInto(GameState& game, Hand& hand);

}  // namespace sol
