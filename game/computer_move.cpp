#include "game/computer_move.h"

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

Report computerTurn(GameState& game) {
    const std::optional<Card> inPlay = peek(game.discardPile);
    if (!inPlay) {
        return {.pileEmpty = true};
    }
    const int slot = firstFit(game.computerHand, *inPlay);
    if (slot >= 0) {
        return layCard(game, slot);
    }
    const Report report = drawInto(game, Side::Computer);
    if (!report.ends()) {
        game.turn = Side::Player;
    }
    return report;
}

}  // namespace sol
