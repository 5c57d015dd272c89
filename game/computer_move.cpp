#include "game/computer_move.h"

#include "display/card_faces.h"
#include "game/card_effects.h"

namespace sol {

void computerTurn(Console& console, GameState& game) {
    Hand& hand = game.computerHand;
    // A J or K keeps `turn` at 1, so the turn cannot tell whether a card was
    // laid; this flag does, so a lay is never followed by a draw.
    bool laid = false;
    for (int i = 0; i < hand.count; ++i) {
        if (!cardsMatch(hand.cards[i], peek(*game.discardPile))) {
            continue;
        }
        push(*game.discardPile, takeFromHand(hand, i, game.turn));
        const Card top = peek(*game.discardPile);
        applyCardEffect(game, game.playerHand, top.number, top.shape);
        showCards(console, game);
        game.turn = keepsTurn(top.number) ? 1 : 0;
        laid = true;
        break;
    }
    if (!laid) {
        drawInto(game, hand);
        showCards(console, game);
        game.turn = 0;
    }
}

}  // namespace sol
