#include "frontend/rules_screen.h"

#include "display/layout.h"
#include "display/spoken_text.h"

namespace sol {
namespace {

struct Line {
    int row;
    const char* text;
};

// The help text predates the game's current rules (it speaks of jokers and of
// effects the game does not have); it is shown as it has always read.
constexpr Line kRules[] = {
    {1, "☞ 솔방울게임\n"},
    {3, "1. 카드는 총 54장이다. ♣,♥,◆,♠ = A~10,J,Q,K 52장 JOKER 2장\n"},
    {4, "2. 앞 사람이 낸 숫자에 이어서 같은 모양이나 같은 숫자의 카드를 내면\n"},
    {5, "   되는 게임이다. [예 : ♠->♠, 10 -> 10 ]\n"},
    {6, "3. play는 컴퓨터와 1:1 대결구도 \n"},
    {9, "☞ 게임 규칙\n"},
    {11, "1. 게임시작시 랜덤카드를 5장씩 나눠가지고 1장을 따로 중앙에 배치한다.\n"},
    {12, "2. 같은 숫자나 모양 카드를 낼 수 있다. 낼 것이 없을 시에는 한장을 받는다.\n"},
    {13, "3. J- 턴점프 , K- 한번더 , Q- 순서바꿈\n"},
    {14, "4. 7 - (♣,♥,◆,♠) 모양 바꿈\n"},
    {15, "5. ♣2,♥2,◆2,♠2 < ♣A,♥A,◆A < ♠A \n"},
    {16, "6. 공격을 막으려면 같은무늬나 더 쎈 카드로 방어\n"},
    {17, "7. 카드를 먼저 없애는 쪽이 '승리'\n"},
    {18, "8. 카드가 20장이 넘는 쪽이 '패배'\n"},
    {22, "-아무키를 누르면 목차화면으로 돌아갑니다-\n"},
};

}  // namespace

void rulesScreen(Console& console) {
    for (const Line& line : kRules) {
        console.gotoXY(layout::kRulesColumn, line.row);
        console.write(line.text);
        // A sentence a line, so that a listener can go back over one.
        console.say(spokenLine(line.text));
    }
    console.hideCursor();
}

}  // namespace sol
