#include "game/table_input.h"

#include "console/port/key_codes.h"
#include "display/layout.h"
#include "display/table_view.h"
#include "game/player_moves.h"

namespace sol {
namespace {

using Kind = TableEvent::Kind;

// Up, or a press on the pile, asks for a card; only Enter or a second press
// on the pile confirms it, any other key or press gives it up.
Report offerDraw(Console& console, GameState& game) {
    showAndSay(console, game, {.kind = Kind::DrawOffered});
    const Input input = console.readInput();
    const bool take =
        input.isKey(key::kEnter) || (input.isPress() && layout::onDrawPile(input.x, input.y));
    const Report report = take ? playerDraw(game) : Report{};
    showAndSay(console, game, {.kind = Kind::DrawOfferClosed, .taken = take});
    return report;
}

// A press on a card of the player's lays it, as moving the marker there and
// Enter would; on the pile it offers a draw, as Up would. Anywhere else, or
// on an empty slot, it does nothing.
Report press(Console& console, GameState& game, int& sel, int x, int y) {
    const int slot = layout::playerSlotAt(x, y);
    if (slot >= 0 && slot < game.playerHand.count) {
        sel = slot + 1;
        return playerPlay(game, slot);
    }
    if (layout::onDrawPile(x, y)) {
        return offerDraw(console, game);
    }
    return {};
}

}  // namespace

// The prefix of an arrow key is ignored like any code not listed, so the
// arrow's own code (the same as H, P, K or M) acts on the next read.
Report playerInput(Console& console, GameState& game, int& sel) {
    showAndSay(console, game, {.kind = Kind::AwaitingInput, .sel = sel});
    const Input input = console.readInput();
    showAndSay(console, game, {.kind = Kind::InputTaken, .sel = sel});
    if (input.isPress()) {
        return press(console, game, sel, input.x, input.y);
    }
    switch (input.code) {
        case key::kEnter:
            return playerPlay(game, sel - 1);
        case key::kUp:
            return offerDraw(console, game);
        case key::kLeft:
            sel = sel == 1 ? layout::kSlots : sel - 1;
            break;
        case key::kRight:
            sel = sel == layout::kSlots ? 1 : sel + 1;
            break;
        case key::kDown:
            sel = 1;
            break;
        default:
            return {};
    }
    showAndSay(console, game, {.kind = Kind::MarkerAt, .sel = sel});
    return {};
}

}  // namespace sol
