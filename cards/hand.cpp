#include "cards/hand.h"

#include <cassert>

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

std::optional<Card> takeFromHand(Hand& h, int index) {
    assert(index >= 0 && index < h.count);
    if (h.count == 1) {
        return std::nullopt;
    }
    const Card item = h.cards[index];
    for (int i = index; i < h.count - 1; ++i) {
        h.cards[i] = h.cards[i + 1];
    }
    --h.count;
    return item;
}

}  // namespace sol
