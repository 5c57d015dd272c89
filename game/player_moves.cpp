#include "game/player_moves.h"

#include "display/card_faces.h"
#include "display/table.h"
#include "game/card_effects.h"

namespace sol {

void playerPlay(Console& console, GameState& game, int index) {
    Hand& hand = game.playerHand;
    const bool held = index >= 0 && index < hand.count;
    if (!held || !cardsMatch(hand.cards[index], peek(*game.discardPile))) {
        console.gotoXY(32, 15);
        console.write("낼 수 없는 카드입니다.");
        return;
    }
    push(*game.discardPile, takeFromHand(hand, index, game.turn));
    const Card laid = peek(*game.discardPile);
    applyCardEffect(game, game.computerHand, laid.number, laid.shape);
    // The full redraw also wipes a refusal or recycling line on row 15.
    drawTable(console);
    showCards(console, game);
    game.turn = keepsTurn(laid.number) ? 0 : 1;
}

void playerDraw(Console& console, GameState& game, Hand& hand) {
    drawInto(game, hand);
    showCards(console, game);
}

}  // namespace sol
