#include "game/card_effects.h"

namespace sol {
namespace {

constexpr int kAce = 1;
constexpr int kTwo = 2;
constexpr int kJack = 11;
constexpr int kKing = 13;

void penalty(GameState& game, Hand& opponent, int cards) {
    for (int i = 0; i < cards; ++i) {
        drawInto(game, opponent);
    }
}

}  // namespace

void applyCardEffect(GameState& game, Hand& opponent, int number, char /*shape*/) {
    if (number == kTwo) {
        penalty(game, opponent, 2);
    }
    if (number == kAce) {
        penalty(game, opponent, 3);
    }
}

bool keepsTurn(int number) {
    return number == kJack || number == kKing;
}

}  // namespace sol
