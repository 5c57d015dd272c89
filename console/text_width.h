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

// Characters that every terminal draws two columns wide (Hangul, CJK, full-
// width forms). Box glyphs, shapes and card symbols are not among them: many
// terminals draw those one column wide.
bool drawnWideEverywhere(char32_t ch);

// What follows a glyph on a terminal that draws it one column wide, so that it
// still covers its two columns: a heavy line continues lines and corners that
// open to the right, a square doubles, anything else gets a blank.
char32_t narrowFill(char32_t ch);

}  // namespace sol
