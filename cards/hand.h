#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "cards/card.h"

namespace sol {

// The cards one side holds, in slots 0 to count - 1 in order of arrival.
// Slots from `count` on hold no card.
struct Hand {
    static constexpr int kCapacity = 15;
    std::array<Card, kCapacity> cards{};
    std::int32_t count = 0;
};

void initHand(Hand& h);
bool isHandFull(const Hand& h);
bool isHandEmpty(const Hand& h);

// Stores `c` after the last card. Returns false, storing nothing, when the
// hand already holds 15.
[[nodiscard]] bool appendToHand(Hand& h, Card c);

// Removes the card in slot `index` (below `count`) and closes the gap. The
// only card of a hand is never taken: the side that lays it has won, so the
// result is empty and the hand stays as it was.
[[nodiscard]] std::optional<Card> takeFromHand(Hand& h, int index);

}  // namespace sol
