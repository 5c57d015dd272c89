#include "console/frame_diff.h"

#include <algorithm>

#include "console/text_width.h"

namespace sol {

void FrameDiff::setGlyphWidth(GlyphWidth glyphWidth) {
    glyphWidth_ = glyphWidth;
    last_ = nullptr;
}

void FrameDiff::reset() {
    TerminalRow blank;
    blank.fill(U' ');
    shown_.fill(blank);
    target_.fill(blank);
    last_ = nullptr;
}

void FrameDiff::layOut(const ScreenBuffer& picture, int y) {
    PictureRow& cells = laidOut_[y];
    const ScreenBuffer::Cell* const from = &picture.at(0, y);
    if (last_ == &picture && std::equal(cells.begin(), cells.end(), from)) {
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

const std::vector<int>& FrameDiff::changedRows(const ScreenBuffer& picture) {
    changed_.clear();
    const bool all = &picture != last_;
    if (!all && picture.stamp() <= seen_) {
        return changed_;
    }
    for (int y = 0; y < ScreenBuffer::kRows; ++y) {
        if (all || picture.rowStamp(y) > seen_) {
            layOut(picture, y);
            if (target_[y] != shown_[y]) {
                changed_.push_back(y);
            }
        }
    }
    last_ = &picture;
    seen_ = picture.stamp();
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
