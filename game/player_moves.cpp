#include "game/player_moves.h"

#include "game/card_effects.h"

namespace sol {

Report playerPlay(GameState& game, int index) {
    const std::optional<Card> inPlay = peek(game.discardPile);
    if (!inPlay) {
        return {.pileEmpty = true};
    }
    const Hand& hand = game.playerHand;
    const bool held = index >= 0 && index < hand.count;
    if (!held || !cardsMatch(hand.cards[index], *inPlay)) {
        return {.event = Event::Refused};
    }
    return layCard(game, index);
}

Report playerDraw(GameState& game) {
    const Report report = drawInto(game, Side::Player);
    if (!report.ends()) {
        game.turn = Side::Computer;
    }
    return report;
}

}  // namespace sol
