#include "game/game_loop.h"

#include <optional>

#include "cards/deck.h"
#include "console/error_output.h"
#include "display/banners.h"
#include "display/card_faces.h"
#include "display/layout.h"
#include "display/put_at.h"
#include "display/spoken_text.h"
#include "display/table.h"
#include "game/computer_move.h"
#include "game/table_input.h"

namespace sol {
namespace {

// Every end of a game, won, lost or broken by a pile error, ends the process
// with this status.
constexpr int kGameOverStatus = 1;
// Recycle once the draw pile holds eight cards or fewer.
constexpr int kRecycleBelowTop = 8;

void showBanner(Console& console, Side winner) {
    console.say(resultSentence(winner));
    console.clearScreen();
    if (winner == Side::Player) {
        showWin(console);
    } else {
        showLose(console);
    }
    console.readInput();  // any key or press
}

// Shows what a step of `mover` did; the exit status once the game is over.
std::optional<int> show(Console& console, const GameState& game, Side mover, const Report& report) {
    if (const std::string sentence = reportSentence(game, mover, report); !sentence.empty()) {
        console.say(sentence);
    }
    for (int i = 0; i < report.droppedCards; ++i) {
        writeErrorLine("스택 포화 에러\n");
    }
    if (report.pileEmpty) {
        writeErrorLine("스택 공백 에러\n");
        return kGameOverStatus;
    }
    if (report.winner) {
        showBanner(console, *report.winner);
        return kGameOverStatus;
    }
    switch (report.event) {
        case Event::Laid:
            // The player's lay redraws the whole table, which also wipes a
            // refusal or recycling line; the computer's leaves it.
            if (mover == Side::Player) {
                drawTable(console);
            }
            showCards(console, game);
            break;
        case Event::Drew:
            showCards(console, game);
            break;
        case Event::Refused:
            putAt(console, layout::kRefusalMessage, kRefusalText);
            break;
        case Event::Recycled:
            putAt(console, layout::kRecycleMessage, kRecycleText);
            break;
        case Event::None:
            break;
    }
    return std::nullopt;
}

}  // namespace

int playGame(Console& console, std::uint32_t seed) {
    GameState game;
    drawTable(console);
    dealCards(game, seed);
    showCards(console, game);
    console.say(dealSentence(game));
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
            console.say(markerSentence(game, sel));
        }
    }
}

}  // namespace sol
