#include "game/computer_move.h"

#include "display/card_faces.h"
#include "game/card_effects.h"

namespace sol {
namespace {

// The lowest slot whose card may be laid on `inPlay`, or -1.
int firstFit(const Hand& hand, Card inPlay) {
    for (int i = 0; i < hand.count; ++i) {
        if (cardsMatch(hand.cards[i], inPlay)) {
            return i;
        }
    }
    return -1;
}

}  // namespace

void computerTurn(Console& console, GameState& game) {
    Hand& hand = game.computerHand;
    const int slot = firstFit(hand, peek(*game.discardPile));
    if (slot < 0) {
        drawInto(game, hand);
        showCards(console, game);
        game.turn = 0;
        return;
    }
    push(*game.discardPile, takeFromHand(hand, slot, game.turn));
    const Card laid = peek(*game.discardPile);
    applyCardEffect(game, game.playerHand, laid.number, laid.shape);
    showCards(console, game);
    game.turn = keepsTurn(laid.number) ? 1 : 0;
}

}  // namespace sol
