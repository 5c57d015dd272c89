#include "console/terminal/size_notice.h"

#include <algorithm>
#include <string_view>

#include "console/port/text_width.h"

namespace sol {
namespace {

constexpr std::string_view kLong = "창을 80x25 이상으로 키워 주세요.";
constexpr std::string_view kShort = "창을 키워 주세요.";

// The longest start of `text` that fits in `columns`.
std::string_view clip(std::string_view text, int columns) {
    std::size_t pos = 0;
    int used = 0;
    while (pos < text.size()) {
        std::size_t next = pos;
        const int width = columnWidth(decodeUtf8(text, next));
        if (used + width > columns) {
            break;
        }
        used += width;
        pos = next;
    }
    return text.substr(0, pos);
}

}  // namespace

bool windowTooSmall(int columns, int rows) {
    return columns < kNeededColumns || rows < kNeededRows;
}

std::string sizeNotice(int columns, int rows) {
    const std::string_view text =
        clip(textWidth(kLong) <= columns ? kLong : kShort, std::max(columns, 0));
    const int x = std::max(0, (columns - textWidth(text)) / 2);
    const int y = std::max(0, (rows - 1) / 2);
    // The cursor is hidden here too: the notice may be the first thing drawn.
    return "\x1b[?25l\x1b[H\x1b[2J\x1b[" + std::to_string(y + 1) + ';' + std::to_string(x + 1) +
           'H' + std::string(text);
}

}  // namespace sol
