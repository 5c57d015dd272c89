#include "cards/card_words.h"

namespace sol {

ShapeWords wordsOf(Shape shape) {
    switch (shape) {
        case Shape::Heart:
            return {"♥", 'h', "하트"};
        case Shape::Diamond:
            return {"◆", 'd', "다이아몬드"};
        case Shape::Club:
            return {"♣", 'c', "클로버"};
        case Shape::Spade:
            return {"♠", 's', "스페이드"};
    }
    return {"?", '?', "?"};
}

namespace {

struct Letter {
    int number;
    const char* face;
    const char* word;
};

constexpr Letter kLetters[] = {
    {kAce, "A", "에이스"}, {kJack, "J", "잭"}, {kQueen, "Q", "퀸"}, {kKing, "K", "킹"}};

const Letter* letterOf(int number) {
    for (const Letter& letter : kLetters) {
        if (letter.number == number) {
            return &letter;
        }
    }
    return nullptr;
}

}  // namespace

bool hasLetterFace(int number) {
    return letterOf(number) != nullptr;
}

std::string rankFace(int number) {
    const Letter* letter = letterOf(number);
    return letter != nullptr ? letter->face : std::to_string(number);
}

std::string rankWord(int number) {
    const Letter* letter = letterOf(number);
    return letter != nullptr ? letter->word : std::to_string(number);
}

}  // namespace sol
