// The rules as a table: a position, a move, what the move reports and the
// position after it (in test::position's notation; the card in play is s5
// unless given).

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/computer_move.h"
#include "game/player_moves.h"
#include "support/position.h"

namespace sol {
namespace {

// A move: the player lays the card in a slot, or one of these.
constexpr int kDraw = -1;
constexpr int kComputer = -2;

// Fourteen and fifteen cards that match neither s5 nor anything laid below.
#define FOURTEEN "h2 h3 h4 h6 h7 h8 h9 h10 hJ hQ hK hA d2 d3"
#define FIFTEEN FOURTEEN " d4"

struct RuleCase {
    const char* name;
    const char* before;
    int move;
    const char* result;  // the event, or who won
    const char* after;   // nullptr: as before
};

std::string result(const Report& report) {
    if (report.winner) {
        return *report.winner == Side::Player ? "you win" : "cpu wins";
    }
    static const char* const kEvents[] = {"none", "laid", "refused", "drew", "recycled"};
    return kEvents[static_cast<int>(report.event)] + std::string(report.pileEmpty ? ", empty" : "");
}

Report apply(GameState& game, int move) {
    return move == kDraw       ? playerDraw(game)
           : move == kComputer ? computerTurn(game)
                               : playerPlay(game, move);
}

class Rules : public testing::TestWithParam<RuleCase> {};

TEST_P(Rules, MoveFromPositionToPosition) {
    const RuleCase& p = GetParam();
    GameState game = test::position(p.before);
    const std::string before = test::describe(game);
    EXPECT_EQ(result(apply(game, p.move)), p.result);
    EXPECT_EQ(test::describe(game), p.after ? p.after : before);
    EXPECT_EQ(test::deckBroken(game), "");
}

INSTANTIATE_TEST_SUITE_P(
    Player, Rules,
    testing::ValuesIn(std::vector<RuleCase>{
        {"SameNumber", "you: d9 h5 c3 | cpu: h8", 1, "laid",
         "you: d9 c3 | cpu: h8 | play: h5 | turn: cpu"},
        {"SameShape", "you: d9 s9 c3 | cpu: h8", 1, "laid",
         "you: d9 c3 | cpu: h8 | play: s9 | turn: cpu"},
        {"QueenDoesNothing", "you: d9 sQ | cpu: h8", 1, "laid",
         "you: d9 | cpu: h8 | play: sQ | turn: cpu"},
        {"TwoGivesTwoFromTheTop", "you: d9 s2 | cpu: h8 | next: h9 hK dA", 1, "laid",
         "you: d9 | cpu: h8 h9 hK | play: s2 | turn: cpu"},
        {"AceGivesThree", "you: d9 sA | cpu: h8 | next: h9 hK dA", 1, "laid",
         "you: d9 | cpu: h8 h9 hK dA | play: sA | turn: cpu"},
        {"JackMovesAgain", "you: d9 sJ | cpu: h8", 1, "laid",
         "you: d9 | cpu: h8 | play: sJ | turn: you"},
        {"KingMovesAgain", "you: d9 sK | cpu: h8", 1, "laid",
         "you: d9 | cpu: h8 | play: sK | turn: you"},
        {"NoMatchRefused", "you: d9 h6 c3 | cpu: h8", 0, "refused", nullptr},
        {"SlotPastTheCardsRefused", "you: d9 h6 s3 | cpu: h8", 3, "refused", nullptr},
        {"LastSlotRefused", "you: d9 h6 s3 | cpu: h8", 14, "refused", nullptr},
        {"LastCardWinsWithoutItsEffect", "you: s2 | cpu: h8", 0, "you win", nullptr},
        {"PenaltyBeyondFifteenWins", "you: c3 s2 | cpu: " FOURTEEN " | next: c9 cK", 1, "you win",
         "you: c3 | cpu: " FOURTEEN " c9 | play: s2 | turn: you"},
        {"DrawTakesTheTopCard", "you: c3 | cpu: h8 | next: d4", kDraw, "drew",
         "you: c3 d4 | cpu: h8 | play: s5 | turn: cpu"},
        {"DrawToFifteen", "you: " FOURTEEN " | cpu: c8 | next: d4", kDraw, "drew",
         "you: " FIFTEEN " | cpu: c8 | play: s5 | turn: cpu"},
        {"DrawAtFifteenLoses", "you: " FIFTEEN " | cpu: c8", kDraw, "cpu wins", nullptr}}),
    [](const auto& param) { return std::string(param.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Computer, Rules,
    testing::ValuesIn(std::vector<RuleCase>{
        {"FirstFitInSlotOrder", "you: c3 | cpu: h8 s9 d5 h6 | turn: cpu", kComputer, "laid",
         "you: c3 | cpu: h8 d5 h6 | play: s9 | turn: you"},
        {"NumberInSlotZero", "you: c3 | cpu: h5 s9 | turn: cpu", kComputer, "laid",
         "you: c3 | cpu: s9 | play: h5 | turn: you"},
        {"OnlyTheLastSlot", "you: c3 | cpu: h8 d9 cQ sQ | turn: cpu", kComputer, "laid",
         "you: c3 | cpu: h8 d9 cQ | play: sQ | turn: you"},
        {"NoPreferenceForTwos", "you: c3 | cpu: c8 sQ h2 | play: hQ | turn: cpu", kComputer, "laid",
         "you: c3 | cpu: c8 h2 | play: sQ | turn: you"},
        {"DrawsWhenNothingFits", "you: c3 | cpu: h8 d9 | next: c4 | turn: cpu", kComputer, "drew",
         "you: c3 | cpu: h8 d9 c4 | play: s5 | turn: you"},
        {"TwoGivesTwo", "you: c3 d9 | cpu: s2 h8 | next: h9 hK dA | turn: cpu", kComputer, "laid",
         "you: c3 d9 h9 hK | cpu: h8 | play: s2 | turn: you"},
        {"AceGivesThree", "you: c3 d9 | cpu: sA h8 | next: h9 hK dA | turn: cpu", kComputer, "laid",
         "you: c3 d9 h9 hK dA | cpu: h8 | play: sA | turn: you"},
        {"JackMovesAgainWithoutDrawing", "you: c3 | cpu: h8 sJ d9 | turn: cpu", kComputer, "laid",
         "you: c3 | cpu: h8 d9 | play: sJ | turn: cpu"},
        {"KingMovesAgainWithoutDrawing", "you: c3 | cpu: h8 sK d9 | turn: cpu", kComputer, "laid",
         "you: c3 | cpu: h8 d9 | play: sK | turn: cpu"},
        {"LastCardWins", "you: c3 | cpu: sA | turn: cpu", kComputer, "cpu wins", nullptr},
        {"DrawAtFifteenLoses", "you: c3 | cpu: " FIFTEEN " | turn: cpu", kComputer, "you win",
         nullptr},
        {"PenaltyBeyondFifteenWins", "you: " FOURTEEN " | cpu: sA c8 | next: c9 cK | turn: cpu",
         kComputer, "cpu wins", "you: " FOURTEEN " c9 | cpu: c8 | play: sA | turn: cpu"}}),
    [](const auto& param) { return std::string(param.param.name); });

}  // namespace
}  // namespace sol
