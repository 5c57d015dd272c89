#include "cards/game_state.h"

namespace sol {

Report drawInto(GameState& game, Side side) {
    Hand& hand = game.hand(side);
    if (isHandFull(hand)) {
        return {.winner = opponentOf(side)};
    }
    const std::optional<Card> card = pop(game.drawPile);
    if (!card) {
        return {.pileEmpty = true};
    }
    const bool stored = appendToHand(hand, *card);
    (void)stored;  // cannot fail: the hand was not full
    return {.event = Event::Drew, .card = *card};
}

}  // namespace sol
