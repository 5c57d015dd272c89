#pragma once

#include <string>
#include <string_view>

#include "cards/game_state.h"

namespace sol {

// What a player who cannot see the screen is told, in Korean sentences,
// made from the state of play and the reports of its steps, never from the
// screen's cells. Cards are spoken as words ("하트 에이스", "스페이드 7").

std::string spokenCard(Card card);

// The menu with ☞ on `entry` (1 to 3); `opened` when the menu has just
// been drawn, which adds how to choose.
std::string menuSentence(int entry, bool opened);
// A line of a screen's own text with its symbols as words and its marks
// dropped, for the rules screen.
std::string spokenLine(std::string_view line);

// After the deal: the player's cards in slot order, the card in play and the
// computer's cards, and how to play.
std::string dealSentence(const GameState& game);
// △ under the player's slot `sel`, counted from 1.
std::string markerSentence(const GameState& game, int sel);
std::string drawOfferSentence();
std::string drawOfferGivenUpSentence();
// What a step of `mover` did, as `report` tells it, in the position after it.
std::string reportSentence(const GameState& game, Side mover, const Report& report);
// The banner of the game's result and how to go on.
std::string resultSentence(Side winner);

}  // namespace sol
