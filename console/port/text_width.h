#pragma once

#include <string>
#include <string_view>

namespace sol {

// Decodes the UTF-8 character at text[pos] and advances pos past it. A byte
// that does not start a well-formed character yields U+FFFD and advances by one.
char32_t decodeUtf8(std::string_view text, std::size_t& pos);
void appendUtf8(std::string& out, char32_t ch);

// Screen columns of a character: one for ASCII, two for everything else, as
// the layouts were designed for a double-byte Korean code page.
inline int columnWidth(char32_t ch) {
    return ch < 0x80 ? 1 : 2;
}
int textWidth(std::string_view utf8);

}  // namespace sol
