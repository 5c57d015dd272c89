#pragma once

#include <string>

#include "console/screen_buffer.h"

namespace sol {

// How the terminal draws box glyphs, shapes and card symbols. Hangul is two
// columns everywhere.
enum class GlyphWidth { Narrow, Wide };

// Keeps a copy of what the terminal shows and turns each new picture into the
// bytes that change only what differs, so a frame costs what changed in it.
class FrameRenderer {
  public:
    explicit FrameRenderer(GlyphWidth glyphWidth = GlyphWidth::Narrow) : glyphWidth_(glyphWidth) {}

    void setGlyphWidth(GlyphWidth glyphWidth);
    // Appends the bytes that make the terminal show `picture`.
    void present(const ScreenBuffer& picture, bool cursorHidden, std::string& out);
    // What the terminal shows is unknown (resized, resumed, overdrawn): the
    // next frame clears the screen and paints everything.
    void invalidate();

  private:
    void moveTo(int x, int y, std::string& out);
    // Paints columns from..to-1 of row y and returns the column after the last
    // character painted.
    int paintRun(const ScreenBuffer& picture, int y, int from, int to, std::string& out);
    void appendGlyph(char32_t ch, std::string& out) const;

    GlyphWidth glyphWidth_;
    ScreenBuffer shown_;
    bool repaintAll_ = true;
    bool cursorHidden_ = false;
    int cursorX_ = -1;  // where the terminal's cursor is; -1 when unknown
    int cursorY_ = -1;
};

}  // namespace sol
