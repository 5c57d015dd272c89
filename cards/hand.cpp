#include "cards/hand.h"

#include "cards/game_result.h"

namespace sol {

void initHand(Hand& h) {
    h.count = 0;
}

bool isHandFull(const Hand& h) {
    return h.count == Hand::kCapacity;
}

bool isHandEmpty(const Hand& h) {
    return h.count == 0;
}

bool appendToHand(Hand& h, Card c) {
    if (isHandFull(h)) {
        return false;
    }
    h.cards[h.count++] = c;
    return true;
}

Card takeFromHand(Hand& h, int index, int turn) {
    if (h.count == 1) {
        throw GameDecided{turn == 0 ? Outcome::Win : Outcome::Lose};
    }
    if (index < 0 || index >= h.count) {
        return Card{};
    }
    const Card item = h.cards[index];
    // The freed last slot keeps its old card, as nothing may read it.
    for (int i = index; i < h.count - 1; ++i) {
        h.cards[i] = h.cards[i + 1];
    }
    --h.count;
    return item;
}

}  // namespace sol
