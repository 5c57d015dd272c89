#include "display/outer_frame.h"

namespace sol {

namespace {

constexpr const char* kFrameTop = " ┏━━━━━━━━━━━━━━━━━━━━━━━━━━━━━━━━━━━━━┓\n";
constexpr const char* kFrameSide =
    " ┃                                                                          ┃\n";
constexpr const char* kFrameBottom = " ┗━━━━━━━━━━━━━━━━━━━━━━━━━━━━━━━━━━━━━┛\n";
constexpr int kSideLines = 22;

}  // namespace

void drawOuterFrame(Console& console) {
    console.gotoXY(0, 0);
    console.write(kFrameTop);
    for (int i = 0; i < kSideLines; ++i) {
        console.write(kFrameSide);
    }
    console.write(kFrameBottom);
}

}  // namespace sol
