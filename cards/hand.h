#pragma once

#include <array>
#include <cstdint>

#include "cards/card.h"

namespace sol {

// The cards one side holds, in slots 0 to count - 1 in order of arrival.
// Slots from `count` on keep whatever they last held and are never a card.
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

// Removes the card in slot `index` and closes the gap. Taking the only card
// decides the game for the side whose `turn` it is (0 player: Win, 1
// computer: Lose) and throws GameDecided with the card still held. An index
// at or beyond `count` changes nothing and returns a blank card.
Card takeFromHand(Hand& h, int index, int turn);

}  // namespace sol
