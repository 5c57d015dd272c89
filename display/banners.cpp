#include "display/banners.h"

#include "display/layout.h"

namespace sol {
namespace {

using BannerLines = const char* const[5];

// Drawn with ■ two columns wide and blanks one column wide.
constexpr BannerLines kWin = {
    "■      ■    ■■■    ■    ■", "■  ■  ■      ■      ■■  ■", "■  ■  ■      ■      ■ ■ ■",
    " ■ ■ ■       ■      ■  ■■", "  ■■■      ■■■    ■    ■",
};

constexpr BannerLines kLose = {
    "■        ■     ■■   ■■■",   "■      ■  ■  ■      ■    ", "■     ■    ■  ■■   ■■■",
    "■      ■  ■      ■  ■    ", "■■■    ■     ■■   ■■■",
};

void showLines(Console& console, BannerLines& lines) {
    for (int i = 0; i < 5; ++i) {
        console.gotoXY(layout::kBannerArt.x, layout::kBannerArt.y + i);
        console.write(lines[i]);
    }
    console.gotoXY(layout::kBannerPrompt.x, layout::kBannerPrompt.y);
    console.write("Pleas any key~");
}

}  // namespace

void showWin(Console& console) {
    showLines(console, kWin);
}

void showLose(Console& console) {
    showLines(console, kLose);
}

}  // namespace sol
