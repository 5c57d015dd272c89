#include "console/terminal/glyph_width.h"

namespace sol {

bool drawnWideEverywhere(char32_t ch) {
    return (ch >= 0x1100 && ch <= 0x115F) ||  // Hangul Jamo initials
           (ch >= 0x2E80 && ch <= 0xA4CF) ||  // CJK, Hangul compatibility Jamo
           (ch >= 0xAC00 && ch <= 0xD7A3) ||  // Hangul syllables
           (ch >= 0xF900 && ch <= 0xFAFF) ||  // CJK compatibility ideographs
           (ch >= 0xFE30 && ch <= 0xFE4F) ||  // CJK compatibility forms
           (ch >= 0xFF00 && ch <= 0xFF60) ||  // full-width forms
           (ch >= 0xFFE0 && ch <= 0xFFE6);
}

char32_t narrowFill(char32_t ch) {
    switch (ch) {
        case U'┏':
        case U'┗':
        case U'━':
            return U'━';
        case U'■':
            return U'■';
        default:
            return U' ';
    }
}

}  // namespace sol
