#pragma once

#include <string>

#include "console/port/screen_buffer.h"
#include "console/terminal/frame_diff.h"

namespace sol {

// Keeps what the terminal shows and turns each new picture into the fewest
// bytes it can find that change only what differs: the cheapest cursor move
// to each change (relative, row- or column-only, CR, LF, backspace, or the
// cells in between written again), erases where blanks would cost more, and a
// clear when the picture is mostly new. After the last column a terminal
// waits to wrap, so the cursor is placed absolutely after writing there.
class FrameRenderer {
  public:
    explicit FrameRenderer(GlyphWidth glyphWidth = GlyphWidth::Narrow) : diff_(glyphWidth) {}

    void setGlyphWidth(GlyphWidth glyphWidth);
    // Appends the bytes that make the terminal show `picture`, whose rows
    // outside `changed` are as they were at the last call. Costs next to
    // nothing when none changed.
    void present(const ScreenBuffer& picture, RowSet changed, bool cursorHidden, std::string& out);
    // What the terminal shows is unknown (resized, resumed, overdrawn): the
    // next frame clears the screen and paints everything.
    void invalidate();

  private:
    FrameDiff diff_;
    bool repaintAll_ = true;
    bool cursorHidden_ = false;
    int cursorX_ = -1;  // where the terminal's cursor is; -1 when unknown
    int cursorY_ = -1;
    std::string scratch_;
};

}  // namespace sol
