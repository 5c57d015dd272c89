#include <gtest/gtest.h>

#include "display/card_faces.h"
#include "display/layout.h"
#include "display/table.h"
#include "support/golden.h"
#include "support/memory_console.h"
#include "support/position.h"

namespace sol {
namespace {

// Every kind of face: letters and digits in both rows, a 10 in the player's
// row (no blank after it, so the next box keeps its border), a J in play
// (its digits written first, then covered), slots beyond the hands blank.
TEST(Table, FacesStandInTheirBoxes) {
    MemoryConsole console;
    console.gotoXY(layout::kRefusalMessage.x, layout::kRefusalMessage.y);
    console.write("left over from before");
    drawTable(console);
    showCards(console, test::position("you: hA c10 d7 sJ hQ dK c2 | cpu: d8 sK h10 c9 | play: dJ"));
    EXPECT_TRUE(console.cursorHidden());
    EXPECT_GOLDEN(console.screen(), "table.txt");
}

TEST(Table, AHandThatClosesUpLeavesNoStaleDigitOrFace) {
    MemoryConsole console;
    drawTable(console);
    GameState game = test::position("you: c10 h4 d5 | cpu: sK d7 hQ");
    showCards(console, game);
    ASSERT_TRUE(takeFromHand(game.playerHand, 0));
    ASSERT_TRUE(takeFromHand(game.computerHand, 0));
    showCards(console, game);

    MemoryConsole fresh;
    drawTable(fresh);
    showCards(fresh, game);
    EXPECT_EQ(test::screenText(console.screen()), test::screenText(fresh.screen()));
}

}  // namespace
}  // namespace sol
