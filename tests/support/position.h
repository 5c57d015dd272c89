#pragma once

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "cards/game_state.h"

namespace sol {

// Cards in test failures as the positions write them: "h5", "sA".
void PrintTo(const Card& card, std::ostream* os);

}  // namespace sol

namespace sol::test {

// "h5", "sA", "d10", "cK": the shape letter, then the rank.
Card card(std::string_view text);
std::vector<Card> cards(std::string_view texts);  // blank-separated

// A whole game written as text, every field optional:
//   "you: c3 h5 | cpu: h8 hQ | play: s5 | next: h9 hK | draw: 9 | turn: cpu"
// `you` and `cpu` are the hands in slot order, `play` the card in play and
// `next` the cards on top of the draw pile, the first to be taken first.
// The other cards of the deck, in deck order, fill the draw pile under
// them up to `draw` cards (all of them when not given) and then lie under
// the card in play.
GameState position(std::string_view text);

// The hands, the card in play and the turn in the same notation.
std::string describe(const GameState& game);

// Empty when each of the 52 cards is in exactly one hand or pile.
std::string deckBroken(const GameState& game);

}  // namespace sol::test
