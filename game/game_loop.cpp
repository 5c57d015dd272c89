#include "game/game_loop.h"

#include "cards/deck.h"
#include "cards/game_result.h"
#include "console/exit_request.h"
#include "console/key_codes.h"
#include "display/banners.h"
#include "display/card_faces.h"
#include "display/table.h"
#include "game/computer_move.h"
#include "game/player_moves.h"

namespace sol {
namespace {

constexpr int kSlots = Hand::kCapacity;
constexpr int kMarkerRow = 21;
constexpr int kDrawMarkerColumn = 41;
constexpr int kDrawMarkerRow = 13;
// Recycle once the draw pile holds eight cards or fewer.
constexpr int kRecycleBelowTop = 8;

int markerColumn(int sel) {
    return sel * 4 + 2;
}

void putAt(Console& console, int x, int y, const char* text) {
    console.gotoXY(x, y);
    console.write(text);
}

// Up asks for a card; only Enter confirms it, any other code gives it up.
void offerDraw(Console& console, GameState& game) {
    putAt(console, kDrawMarkerColumn, kDrawMarkerRow, " △");
    if (console.readKey() == key::kEnter) {
        playerDraw(console, game, game.playerHand);
        game.turn = 1;
    }
    putAt(console, kDrawMarkerColumn, kDrawMarkerRow, "  ");
}

// One key of the player's turn. `sel` counts slots from 1 and outlives the
// turn. The prefix of an arrow key is ignored like any code not listed, so
// the arrow's own code (the same as H, P, K or M) acts on the next read.
void playerKey(Console& console, GameState& game, int& sel) {
    console.hideCursor();
    putAt(console, markerColumn(sel), kMarkerRow, " △");
    const int key = console.readKey();
    putAt(console, markerColumn(sel), kMarkerRow, "  ");
    switch (key) {
        case key::kEnter:
            playerPlay(console, game, sel - 1);
            break;
        case key::kUp:
            offerDraw(console, game);
            break;
        case key::kLeft:
            sel = sel == 1 ? kSlots : sel - 1;
            break;
        case key::kRight:
            sel = sel == kSlots ? 1 : sel + 1;
            break;
        case key::kDown:
            sel = 1;
            break;
        default:
            break;
    }
}

}  // namespace

void playGame(Console& console, std::uint32_t seed) {
    GameState game;
    drawTable(console);
    dealCards(game, seed);
    showCards(console, game);
    runGameLoop(console, game);
}

void runGameLoop(Console& console, GameState& game) {
    try {
        int sel = 1;
        for (;;) {
            if (game.drawPile->top < kRecycleBelowTop) {
                recycleDiscard(console, game);
            }
            if (game.turn == 0) {
                playerKey(console, game, sel);
            } else {
                computerTurn(console, game);
            }
        }
    } catch (const GameDecided& decided) {
        console.clearScreen();
        showBanner(console, decided.outcome);
    }
    throw ExitRequest{1};
}

}  // namespace sol
