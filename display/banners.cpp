#include "display/banners.h"

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

constexpr int kArtColumn = 20;
constexpr int kArtRow = 8;

void showLines(Console& console, BannerLines& lines) {
    for (int i = 0; i < 5; ++i) {
        console.gotoXY(kArtColumn, kArtRow + i);
        console.write(lines[i]);
    }
    console.gotoXY(30, 13);
    console.write("Pleas any key~");
    console.readKey();
}

}  // namespace

void showWin(Console& console) {
    showLines(console, kWin);
}

void showLose(Console& console) {
    showLines(console, kLose);
}

void showBanner(Console& console, Outcome outcome) {
    if (outcome == Outcome::Win) {
        showWin(console);
    } else {
        showLose(console);
    }
}

}  // namespace sol
