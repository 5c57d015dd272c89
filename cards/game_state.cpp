#include "cards/game_state.h"

#include "cards/game_result.h"

namespace sol {

void drawInto(GameState& game, Hand& hand) {
    if (isHandFull(hand)) {
        throw GameDecided{&hand == &game.playerHand ? Outcome::Lose : Outcome::Win};
    }
    const bool stored = appendToHand(hand, pop(*game.drawPile));
    (void)stored;  // cannot fail: the hand was not full
}

}  // namespace sol
