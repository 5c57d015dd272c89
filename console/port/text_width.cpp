#include "console/port/text_width.h"

namespace sol {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool isContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

}  // namespace

char32_t decodeUtf8(std::string_view text, std::size_t& pos) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    if (lead < 0x80) {
        ++pos;
        return lead;
    }
    std::size_t length = 0;
    char32_t ch = 0;
    char32_t minimum = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, ch = lead & 0x1F, minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, ch = lead & 0x0F, minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, ch = lead & 0x07, minimum = 0x10000;
    } else {
        ++pos;
        return kReplacement;
    }
    if (pos + length > text.size()) {
        ++pos;
        return kReplacement;
    }
    for (std::size_t i = 1; i < length; ++i) {
        const auto byte = static_cast<unsigned char>(text[pos + i]);
        if (!isContinuation(byte)) {
            ++pos;
            return kReplacement;
        }
        ch = (ch << 6) | (byte & 0x3F);
    }
    if (ch < minimum || ch > 0x10FFFF || (ch >= 0xD800 && ch <= 0xDFFF)) {
        ++pos;
        return kReplacement;
    }
    pos += length;
    return ch;
}

void appendUtf8(std::string& out, char32_t ch) {
    if (ch < 0x80) {
        out += static_cast<char>(ch);
        return;
    }
    // A leading byte, then six bits a byte, the highest first; appended at
    // once, as frames are built of these.
    constexpr unsigned char kLead[] = {0, 0, 0xC0, 0xE0, 0xF0};
    const std::size_t length = ch < 0x800 ? 2 : ch < 0x10000 ? 3 : 4;
    char bytes[4];
    for (std::size_t i = length - 1; i > 0; --i) {
        bytes[i] = static_cast<char>(0x80 | (ch & 0x3F));
        ch >>= 6;
    }
    bytes[0] = static_cast<char>(kLead[length] | ch);
    out.append(bytes, length);
}

int textWidth(std::string_view utf8) {
    int width = 0;
    for (std::size_t pos = 0; pos < utf8.size();) {
        width += columnWidth(decodeUtf8(utf8, pos));
    }
    return width;
}

}  // namespace sol
