#include "frontend/menu_screen.h"

#include "console/key_codes.h"
#include "display/outer_frame.h"
#include "solbangul_version.h"

namespace sol {
namespace {

constexpr const char* kBoxTop = " ┏━━━━━━━━━┓";
constexpr const char* kBoxBottom = " ┗━━━━━━━━━┛";

struct Placed {
    int x;
    int y;
    const char* text;
};

constexpr Placed kLayout[] = {
    {70, 1, "솔방울"},
    {70, 2, "v" SOLBANGUL_VERSION},
    {30, 2, "        < 메 뉴 >          "},
    {30, 5, kBoxTop},
    {30, 6, " ┃    게임 시작     ┃"},
    {30, 7, kBoxBottom},
    {30, 9, kBoxTop},
    {30, 10, " ┃    게임 설명     ┃"},
    {30, 11, kBoxBottom},
    {30, 13, kBoxTop},
    {30, 14, " ┃    종료 하기     ┃"},
    {30, 15, kBoxBottom},
};

constexpr int kMarkerX = 28;
constexpr int markerRow(int selection) {
    return selection * 4 + 2;
}

void drawMenu(Console& console) {
    console.clearScreen();
    drawOuterFrame(console);
    for (const Placed& line : kLayout) {
        console.gotoXY(line.x, line.y);
        console.write(line.text);
    }
}

}  // namespace

int menuScreen(Console& console) {
    int selection = kStartGame;
    drawMenu(console);
    for (;;) {
        console.hideCursor();
        console.gotoXY(kMarkerX, markerRow(selection));
        console.write("☞");
        const int code = console.readKey();
        console.gotoXY(kMarkerX, markerRow(selection));
        console.write(" ");
        switch (code) {
            case key::kEnter:
                return selection;
            case key::kUp:
                selection = selection <= kStartGame ? kQuit : selection - 1;
                break;
            case key::kDown:
                selection = selection >= kQuit ? kStartGame : selection + 1;
                break;
            default:
                break;
        }
    }
}

}  // namespace sol
