#include "game/card_effects.h"

namespace sol {
namespace {

int penaltyOf(int number) {
    switch (number) {
        case kTwo:
            return 2;
        case kAce:
            return 3;
        default:
            return 0;
    }
}

}  // namespace

Report applyCardEffect(GameState& game, Side opponent, int number) {
    Report report;
    for (int i = 0; i < penaltyOf(number); ++i) {
        const Report taken = drawInto(game, opponent);
        if (taken.ends()) {
            report.winner = taken.winner;
            report.pileEmpty = taken.pileEmpty;
            return report;
        }
        ++report.opponentTook;
    }
    return report;
}

bool keepsTurn(int number) {
    return number == kJack || number == kKing;
}

Report layCard(GameState& game, int index) {
    const Side side = game.turn;
    const Card chosen = game.hand(side).cards[index];
    const std::optional<Card> card = takeFromHand(game.hand(side), index);
    if (!card) {
        return {.event = Event::Laid, .winner = side, .card = chosen};
    }
    const bool onPile = push(game.discardPile, *card);
    Report report = applyCardEffect(game, opponentOf(side), card->number);
    report.event = Event::Laid;
    report.card = *card;
    report.droppedCards += onPile ? 0 : 1;
    if (!report.ends()) {
        report.movesAgain = keepsTurn(card->number);
        if (!report.movesAgain) {
            game.turn = opponentOf(side);
        }
    }
    return report;
}

}  // namespace sol
