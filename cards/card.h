#pragma once

#include <cstdint>

namespace sol {

// A shape is a character, as the card record has always held it; what it is
// called and how it is drawn is in card_words.h.
enum class Shape : char { Heart = 'h', Diamond = 'd', Club = 'c', Spade = 's' };
// In the order a new deck holds them.
inline constexpr Shape kShapes[] = {Shape::Heart, Shape::Diamond, Shape::Club, Shape::Spade};

// The ranks that are not written as their number, and those that do something
// when laid.
inline constexpr int kAce = 1;
inline constexpr int kTwo = 2;
inline constexpr int kTen = 10;
inline constexpr int kJack = 11;
inline constexpr int kQueen = 12;
inline constexpr int kKing = 13;

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
