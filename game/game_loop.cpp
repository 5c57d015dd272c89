#include "game/game_loop.h"

#include <optional>

#include "cards/deck.h"
#include "console/port/error_output.h"
#include "display/table_view.h"
#include "game/computer_move.h"
#include "game/table_input.h"

namespace sol {
namespace {

// Every end of a game, won, lost or broken by a pile error, ends the process
// with this status.
constexpr int kGameOverStatus = 1;
// Recycle once the draw pile holds eight cards or fewer.
constexpr int kRecycleBelowTop = 8;

// Shows what a step of `mover` did; the exit status once the game is over.
std::optional<int> show(Console& console, const GameState& game, Side mover, const Report& report) {
    showAndSay(console, game, {.kind = TableEvent::Kind::Step, .mover = mover, .report = report});
    for (int i = 0; i < report.droppedCards; ++i) {
        writeErrorLine("스택 포화 에러\n");
    }
    if (report.pileEmpty) {
        writeErrorLine("스택 공백 에러\n");
        return kGameOverStatus;
    }
    if (report.winner) {
        showAndSay(console, game, {.kind = TableEvent::Kind::Result, .report = report});
        console.readInput();  // any key or press
        return kGameOverStatus;
    }
    return std::nullopt;
}

}  // namespace

int playGame(Console& console, std::uint32_t seed) {
    GameState game;
    dealCards(game, seed);
    showAndSay(console, game, {.kind = TableEvent::Kind::Dealt});
    return runGameLoop(console, game);
}

int runGameLoop(Console& console, GameState& game) {
    int sel = 1;
    for (;;) {
        if (game.drawPile.top < kRecycleBelowTop) {
            if (const auto status = show(console, game, game.turn, recycleDiscard(game))) {
                return *status;
            }
        }
        const Side mover = game.turn;
        const Report report =
            mover == Side::Player ? playerInput(console, game, sel) : computerTurn(game);
        if (const auto status = show(console, game, mover, report)) {
            return *status;
        }
        if (mover == Side::Computer && game.turn == Side::Player) {
            // Back to the player: where △ stands, which the hand's changes
            // may have moved onto another card or an empty slot.
            showAndSay(console, game, {.kind = TableEvent::Kind::MarkerAt, .sel = sel});
        }
    }
}

}  // namespace sol
