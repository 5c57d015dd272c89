#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "cards/card.h"

namespace sol {

// The bounded pile used for the draw pile and the discard pile. Slot 0 is the
// bottom; slots above `top` hold no card.
struct CardStack {
    static constexpr int kCapacity = 60;
    std::array<Card, kCapacity> items{};
    std::int32_t top = -1;  // -1 when empty, 59 when full
};

void initStack(CardStack& s);
bool isEmpty(const CardStack& s);
bool isFull(const CardStack& s);
// False when the stack is full: the card is dropped and the stack unchanged.
[[nodiscard]] bool push(CardStack& s, Card c);
// Nothing when the stack is empty.
[[nodiscard]] std::optional<Card> pop(CardStack& s);
[[nodiscard]] std::optional<Card> peek(const CardStack& s);

}  // namespace sol
