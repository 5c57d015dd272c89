#pragma once

#include <cstdint>

namespace sol {

enum class Shape : char { Heart = 'h', Diamond = 'd', Club = 'c', Spade = 's' };

// One playing card, copied whole wherever it goes.
struct Card {
    std::int32_t number = 0;  // 1 is A, 2 to 10, 11 J, 12 Q, 13 K
    Shape shape{};
    bool operator==(const Card&) const = default;
};

// A card may be laid on another of the same number or the same shape.
inline bool cardsMatch(Card a, Card b) {
    return a.number == b.number || a.shape == b.shape;
}

}  // namespace sol
