#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "cards/deck.h"
#include "display/spoken_text.h"
#include "game/computer_move.h"
#include "game/player_moves.h"
#include "support/position.h"

namespace sol {
namespace {

// Each kind of step, for both sides, from a position to the sentence said
// after it: the real moves make the reports, so the cards named are the ones
// the rules moved.
TEST(SpokenReport, EveryStepIsToldInWords) {
    struct Case {
        const char* what;
        const char* position;
        Side mover;
        std::function<Report(GameState&)> step;
        const char* sentence;
    };
    const auto lay = [](int slot) { return [slot](GameState& g) { return playerPlay(g, slot); }; };
    const auto draw = [](GameState& g) { return playerDraw(g); };
    const auto computer = [](GameState& g) { return computerTurn(g); };
    const Case cases[] = {
        {"a lay", "you: c3 h5 | cpu: h8 | play: c9", Side::Player, lay(0), "클로버 3을 냈습니다."},
        {"a lay of a 2", "you: h2 c4 | cpu: h8 | play: h9 | next: d4 s10", Side::Player, lay(0),
         "하트 2를 냈습니다. 컴퓨터가 2장을 받았습니다: 다이아몬드 4, 스페이드 10."},
        {"a lay of an ace", "you: c4 sA | cpu: h8 | play: s9 | next: d4 s10 hK", Side::Player,
         lay(1),
         "스페이드 에이스를 냈습니다. 컴퓨터가 3장을 받았습니다: 다이아몬드 4, 스페이드 10, 하트 "
         "킹."},
        {"a jack moves again", "you: dJ c4 | cpu: h8 | play: d9", Side::Player, lay(0),
         "다이아몬드 잭을 냈습니다. 한 번 더 냅니다."},
        {"the last card", "you: dQ | cpu: h8 | play: d9", Side::Player, lay(0),
         "다이아몬드 퀸을 냈습니다. 마지막 카드입니다."},
        {"a refusal", "you: c3 h5 | cpu: h8 | play: d9", Side::Player, lay(1),
         "낼 수 없는 카드입니다."},
        {"an empty slot", "you: c3 h5 | cpu: h8 | play: d9", Side::Player, lay(4),
         "낼 수 없는 카드입니다."},
        {"a draw", "you: c3 h5 | cpu: h8 | play: d9 | next: s7", Side::Player, draw,
         "받은 카드: 3번 스페이드 7."},
        {"no room to draw",
         "you: c2 c3 c4 c5 c6 c7 c8 c9 c10 cJ cQ cK h2 h3 h4 | cpu: h8 | play: d9", Side::Player,
         draw, "카드가 15장이라 더 받을 수 없습니다."},
        {"the computer lays", "you: c3 | cpu: d7 h8 | play: h9", Side::Computer, computer,
         "컴퓨터가 하트 8을 냈습니다. 컴퓨터 카드 1장. 낼 카드는 하트 8. 내 차례입니다."},
        {"the computer lays a 2", "you: c3 | cpu: c2 h8 | play: c9 | next: d4 s6", Side::Computer,
         computer,
         "컴퓨터가 클로버 2를 냈습니다. 내가 2장을 받았습니다: 2번 다이아몬드 4, 3번 스페이드 6. "
         "컴퓨터 카드 1장. 낼 카드는 클로버 2. 내 차례입니다."},
        {"the computer's king", "you: c3 | cpu: dK h8 | play: d9", Side::Computer, computer,
         "컴퓨터가 다이아몬드 킹을 냈습니다. 컴퓨터가 한 번 더 냅니다. 컴퓨터 카드 1장."},
        {"the computer draws", "you: c3 | cpu: d7 | play: h9 | next: s5", Side::Computer, computer,
         "컴퓨터가 한 장 받았습니다: 스페이드 5. 컴퓨터 카드 2장. 낼 카드는 하트 9. 내 "
         "차례입니다."},
        {"recycling", "you: c3 | cpu: d7 | play: h9 | draw: 5", Side::Player,
         [](GameState& g) { return recycleDiscard(g); }, "카드가 다시 섞였습니다."},
    };
    for (const Case& c : cases) {
        GameState game = test::position(c.position);
        game.turn = c.mover;
        const Report report = c.step(game);
        const TableEvent step{.kind = TableEvent::Kind::Step, .mover = c.mover, .report = report};
        EXPECT_EQ(narrate(game, step), c.sentence) << c.what;
    }
}

TEST(SpokenReport, TheDealTheMarkerAndTheResultNameEveryCardInWords) {
    const GameState game = test::position("you: hA s10 | cpu: cQ d2 | play: sK");
    using Kind = TableEvent::Kind;
    const std::string deal = narrate(game, {.kind = Kind::Dealt});
    EXPECT_TRUE(
        deal.starts_with("카드를 나눴습니다. 내 카드 2장: 1번 하트 에이스, 2번 스페이드 10. "
                         "낼 카드는 스페이드 킹. 컴퓨터 카드 2장: 클로버 퀸, 다이아몬드 2."))
        << deal;
    EXPECT_EQ(narrate(game, {.kind = Kind::MarkerAt, .sel = 2}), "2번 스페이드 10");
    EXPECT_EQ(narrate(game, {.kind = Kind::MarkerAt, .sel = 3}), "3번 빈 칸");
    EXPECT_EQ(narrate(game, {.kind = Kind::Result, .report = {.winner = Side::Player}}),
              "이겼습니다! 아무 키나 누르거나 화면을 누르면 끝납니다.");
    EXPECT_EQ(narrate(game, {.kind = Kind::AwaitingInput}), "");
    EXPECT_EQ(spokenLine("5. ♣2,♥2,◆2,♠2 < ♣A \n"),
              "5. 클로버2,하트2,다이아몬드2,스페이드2 < 클로버A");
    EXPECT_EQ(spokenLine("-아무키를 누르면 목차화면으로 돌아갑니다-\n"),
              "아무키를 누르면 목차화면으로 돌아갑니다");
}

}  // namespace
}  // namespace sol
