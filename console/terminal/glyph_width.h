#pragma once

namespace sol {

// How a terminal draws box glyphs, shapes and card symbols. Hangul is two
// columns everywhere.
enum class GlyphWidth { Narrow, Wide };

// Characters that every terminal draws two columns wide (Hangul, CJK, full-
// width forms). Box glyphs, shapes and card symbols are not among them: many
// terminals draw those one column wide.
bool drawnWideEverywhere(char32_t ch);

// What follows a glyph on a terminal that draws it one column wide, so that it
// still covers its two columns: a heavy line continues lines and corners that
// open to the right, a square doubles, anything else gets a blank.
char32_t narrowFill(char32_t ch);

}  // namespace sol
