#pragma once

#include <string>
#include <string_view>

#include "cards/card.h"

namespace sol {

// How a shape shows and is said: the glyph on the player's cards and the
// card in play, the letter on the computer's cards, the word a listener
// hears.
struct ShapeWords {
    std::string_view glyph;
    char letter;
    std::string_view word;
};

ShapeWords wordsOf(Shape shape);

// A rank on the face of a card: "A", "J", "Q" or "K", or its number.
std::string rankFace(int number);
// Whether the face is a letter rather than the number.
bool hasLetterFace(int number);
// A rank as a listener hears it: 에이스, 잭, 퀸, 킹, or its number.
std::string rankWord(int number);

}  // namespace sol
