#include "console/frame_renderer.h"

#include "console/text_width.h"

namespace sol {

namespace {

// Unchanged cells between two changes are sent again when that is no longer
// than a cursor move over them.
constexpr int kMergeGap = 3;

}  // namespace

void FrameRenderer::setGlyphWidth(GlyphWidth glyphWidth) {
    if (glyphWidth != glyphWidth_) {
        glyphWidth_ = glyphWidth;
        invalidate();
    }
}

void FrameRenderer::invalidate() {
    repaintAll_ = true;
    cursorHidden_ = false;
}

void FrameRenderer::present(const ScreenBuffer& picture, bool cursorHidden, std::string& out) {
    if (repaintAll_) {
        out += "\x1b[H\x1b[2J";
        shown_.clear();
        cursorX_ = 0;
        cursorY_ = 0;
        repaintAll_ = false;
    }
    if (cursorHidden && !cursorHidden_) {
        out += "\x1b[?25l";
        cursorHidden_ = true;
    }
    for (int y = 0; y < ScreenBuffer::kRows; ++y) {
        int x = 0;
        while (x < ScreenBuffer::kColumns) {
            if (picture.at(x, y) == shown_.at(x, y)) {
                ++x;
                continue;
            }
            // A run starts on the left half of a character, shown or new.
            int from = x;
            while (from > 0 &&
                   (picture.at(from, y).continuation || shown_.at(from, y).continuation)) {
                --from;
            }
            int to = x + 1;  // one past the last changed cell
            for (int scan = to; scan < ScreenBuffer::kColumns && scan <= to + kMergeGap; ++scan) {
                if (picture.at(scan, y) != shown_.at(scan, y)) {
                    to = scan + 1;
                }
            }
            x = paintRun(picture, y, from, to, out);
        }
    }
    shown_ = picture;
}

int FrameRenderer::paintRun(const ScreenBuffer& picture, int y, int from, int to,
                            std::string& out) {
    moveTo(from, y, out);
    int x = from;
    while (x < to) {
        const char32_t ch = picture.at(x, y).ch;
        appendGlyph(ch, out);
        x += columnWidth(ch);
    }
    cursorX_ = x;
    cursorY_ = y;
    return x;
}

void FrameRenderer::appendGlyph(char32_t ch, std::string& out) const {
    appendUtf8(out, ch);
    if (columnWidth(ch) == 2 && glyphWidth_ == GlyphWidth::Narrow && !drawnWideEverywhere(ch)) {
        out += narrowFill(ch);
    }
}

void FrameRenderer::moveTo(int x, int y, std::string& out) {
    if (x == cursorX_ && y == cursorY_) {
        return;
    }
    if (y == cursorY_ && x > cursorX_ && cursorX_ >= 0) {
        out += "\x1b[" + std::to_string(x - cursorX_) + "C";
    } else {
        out += "\x1b[" + std::to_string(y + 1) + ";" + std::to_string(x + 1) + "H";
    }
    cursorX_ = x;
    cursorY_ = y;
}

}  // namespace sol
