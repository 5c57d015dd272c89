#pragma once

#include <array>
#include <cstdint>

#include "cards/game_state.h"

namespace sol {

using CardSet = std::array<Card, GameState::kDeckSize>;

// Builds the 52 cards in order (hearts, diamonds, clubs, spades, each A to K),
// shuffles them with `seed` and returns them as a draw pile, the last card on
// top.
CardStack makeCards(std::uint32_t seed);

// 100 exchanges of two slots, each slot drawn from the generator seeded with
// `seed`, the first slot before the second. The same seed gives the same
// order.
void shuffleCards(CardSet& cards, std::uint32_t seed);

// Empties both hands, makes the cards, deals five to each side (player
// first) and turns up the first card in play. `turn` is left as it is.
void dealCards(GameState& game, std::uint32_t seed);

// Puts every card under the card in play back on the draw pile, the card that
// lay longest ending on top. Event::Recycled when at least one card moved.
Report recycleDiscard(GameState& game);

}  // namespace sol
