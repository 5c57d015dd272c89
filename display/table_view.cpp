#include "display/table_view.h"

#include "display/banners.h"
#include "display/card_faces.h"
#include "display/layout.h"
#include "display/put_at.h"
#include "display/spoken_text.h"
#include "display/table.h"

namespace sol {
namespace {

constexpr std::string_view kMarker = " △";
constexpr std::string_view kNoMarker = "  ";

// `sel` counts slots from 1.
layout::Pos selectionMarker(int sel) {
    return {layout::slotBoxColumn(sel - 1), layout::kSelectionMarkerRow};
}

void drawStep(Console& console, const GameState& game, Side mover, const Report& report) {
    if (report.ends()) {
        return;  // the banner follows, or nothing at all after a pile error
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
}

}  // namespace

void drawEvent(Console& console, const GameState& game, const TableEvent& event) {
    using Kind = TableEvent::Kind;
    switch (event.kind) {
        case Kind::Dealt:
            drawTable(console);
            showCards(console, game);
            break;
        case Kind::Step:
            drawStep(console, game, event.mover, event.report);
            break;
        case Kind::AwaitingInput:
            console.hideCursor();
            putAt(console, selectionMarker(event.sel), kMarker);
            break;
        case Kind::InputTaken:
            putAt(console, selectionMarker(event.sel), kNoMarker);
            break;
        case Kind::MarkerAt:
            break;  // drawn while the next input is awaited
        case Kind::DrawOffered:
            putAt(console, layout::kDrawMarker, kMarker);
            break;
        case Kind::DrawOfferClosed:
            putAt(console, layout::kDrawMarker, kNoMarker);
            break;
        case Kind::Result:
            console.clearScreen();
            if (event.report.winner == Side::Player) {
                showWin(console);
            } else {
                showLose(console);
            }
            break;
    }
}

void showAndSay(Console& console, const GameState& game, const TableEvent& event) {
    drawEvent(console, game, event);
    if (const std::string sentence = narrate(game, event); !sentence.empty()) {
        console.say(sentence);
    }
}

}  // namespace sol
