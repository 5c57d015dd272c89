#include "console/terminal/frame_diff.h"

#include <algorithm>

namespace sol {

void FrameDiff::setGlyphWidth(GlyphWidth glyphWidth) {
    glyphWidth_ = glyphWidth;
    layOutAll_ = true;
}

void FrameDiff::reset() {
    TerminalRow blank;
    blank.fill(U' ');
    shown_.fill(blank);
    target_.fill(blank);
    layOutAll_ = true;
}

void FrameDiff::layOut(const ScreenBuffer& picture, int y) {
    PictureRow& cells = laidOut_[y];
    const ScreenBuffer::Cell* const from = &picture.at(0, y);
    if (!layOutAll_ && std::equal(cells.begin(), cells.end(), from)) {
        return;
    }
    std::copy(from, from + ScreenBuffer::kColumns, cells.begin());
    // A two-column character lays out both its columns, so the loop never
    // meets a right half.
    TerminalRow& row = target_[y];
    for (int x = 0; x < ScreenBuffer::kColumns; ++x) {
        const char32_t ch = from[x].ch;
        row[x] = ch;
        if (ch < 0x80) {
            continue;
        }
        if (glyphWidth_ == GlyphWidth::Wide || drawnWideEverywhere(ch)) {
            row[x + 1] = kRightHalf;
        } else {
            row[x + 1] = narrowFill(ch);
        }
        ++x;
    }
}

const std::vector<int>& FrameDiff::changedRows(const ScreenBuffer& picture, RowSet changed) {
    changed_.clear();
    if (layOutAll_) {
        changed = kAllRows;
    }
    for (int y = 0; changed != 0 && y < ScreenBuffer::kRows; ++y) {
        if (hasRow(changed, y)) {
            layOut(picture, y);
            if (target_[y] != shown_[y]) {
                changed_.push_back(y);
            }
        }
    }
    layOutAll_ = false;
    return changed_;
}

void FrameDiff::commit() {
    for (const int y : changed_) {
        shown_[y] = target_[y];
    }
}

void FrameDiff::commitAll() {
    shown_ = target_;
}

}  // namespace sol
