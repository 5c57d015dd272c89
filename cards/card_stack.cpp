#include "cards/card_stack.h"

namespace sol {

void initStack(CardStack& s) {
    s.top = -1;
}

bool isEmpty(const CardStack& s) {
    return s.top == -1;
}

bool isFull(const CardStack& s) {
    return s.top == CardStack::kCapacity - 1;
}

bool push(CardStack& s, Card c) {
    if (isFull(s)) {
        return false;
    }
    s.items[++s.top] = c;
    return true;
}

std::optional<Card> pop(CardStack& s) {
    if (isEmpty(s)) {
        return std::nullopt;
    }
    return s.items[s.top--];
}

std::optional<Card> peek(const CardStack& s) {
    if (isEmpty(s)) {
        return std::nullopt;
    }
    return s.items[s.top];
}

}  // namespace sol
