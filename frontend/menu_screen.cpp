#include "frontend/menu_screen.h"

#include <string>

#include "console/port/key_codes.h"
#include "display/layout.h"
#include "display/menu_entries.h"
#include "display/outer_frame.h"
#include "display/put_at.h"
#include "display/spoken_text.h"
#include "solbangul_version.h"

namespace sol {
namespace {

constexpr const char* kCredits[] = {"솔방울", "v" SOLBANGUL_VERSION};
constexpr const char* kTitle = "        < 메 뉴 >          ";
constexpr const char* kBoxTop = " ┏━━━━━━━━━┓";
constexpr const char* kBoxBottom = " ┗━━━━━━━━━┛";
constexpr const char* kEntryLeft = " ┃    ";
constexpr const char* kEntryRight = "     ┃";

void drawMenu(Console& console) {
    console.clearScreen();
    drawOuterFrame(console);
    putAt(console, layout::kMenuCredit, kCredits[0]);
    putAt(console, {layout::kMenuCredit.x, layout::kMenuCredit.y + 1}, kCredits[1]);
    putAt(console, layout::kMenuTitle, kTitle);
    for (int entry = 1; entry <= kMenuEntryCount; ++entry) {
        const int row = layout::menuEntryRow(entry);
        putAt(console, {layout::kMenuBoxColumn, row - 1}, kBoxTop);
        putAt(console, {layout::kMenuBoxColumn, row},
              kEntryLeft + std::string(kMenuEntryNames[entry - 1]) + kEntryRight);
        putAt(console, {layout::kMenuBoxColumn, row + 1}, kBoxBottom);
    }
}

}  // namespace

MenuEntry menuScreen(Console& console) {
    constexpr int kFirst = static_cast<int>(MenuEntry::StartGame);
    constexpr int kLast = static_cast<int>(MenuEntry::Quit);
    int selection = kFirst;
    drawMenu(console);
    console.say(menuSentence(selection, true));
    for (;;) {
        console.hideCursor();
        const int row = layout::menuEntryRow(selection);
        putAt(console, {layout::kMenuMarkerColumn, row}, "☞");
        const Input input = console.readInput();
        // One blank takes the whole two-column marker away.
        putAt(console, {layout::kMenuMarkerColumn, row}, " ");
        if (input.isPress()) {
            // A press on an entry's box chooses it, as moving there and Enter.
            if (const int entry = layout::menuEntryAt(input.x, input.y)) {
                return static_cast<MenuEntry>(entry);
            }
            continue;
        }
        switch (input.code) {
            case key::kEnter:
                return static_cast<MenuEntry>(selection);
            case key::kUp:
                selection = selection <= kFirst ? kLast : selection - 1;
                break;
            case key::kDown:
                selection = selection >= kLast ? kFirst : selection + 1;
                break;
            default:
                continue;
        }
        console.say(menuSentence(selection, false));
    }
}

}  // namespace sol
