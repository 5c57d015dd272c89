#pragma once

#include <cstdint>

namespace sol {

// One playing card, copied whole wherever it goes.
struct Card {
    std::int32_t number = 0;  // 1 is A, 2 to 10, 11 J, 12 Q, 13 K; 0 in a slot never filled
    char shape = '\0';        // 'h' heart, 'd' diamond, 'c' club, 's' spade
    bool operator==(const Card&) const = default;
};

// A card may be laid on another of the same number or the same shape.
inline bool cardsMatch(Card a, Card b) {
    return a.number == b.number || a.shape == b.shape;
}

}  // namespace sol
