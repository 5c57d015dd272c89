#pragma once

#include <array>
#include <cstdint>

#include "cards/card.h"

namespace sol {

// The bounded pile used for the draw pile and the discard pile. Slot 0 is the
// bottom; slots above `top` are left as they were and hold no card.
struct CardStack {
    static constexpr int kCapacity = 60;
    std::array<Card, kCapacity> items;
    std::int32_t top = -1;  // -1 when empty, 59 when full
};

void initStack(CardStack& s);
bool isEmpty(const CardStack& s);
bool isFull(const CardStack& s);
// On a full stack the card is dropped and an error line written; play goes on.
void push(CardStack& s, Card c);
// On an empty stack an error line is written and the process asked to end
// with status 1.
Card pop(CardStack& s);
Card peek(const CardStack& s);

}  // namespace sol
