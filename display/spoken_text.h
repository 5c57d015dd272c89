#pragma once

#include <string>
#include <string_view>

#include "cards/game_state.h"
#include "display/table_event.h"

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

// The sentence of a table event, in the position after it; empty for an
// event that says nothing (the marker drawn and taken away around a wait).
std::string narrate(const GameState& game, const TableEvent& event);

}  // namespace sol
