#include "cards/card_stack.h"

#include "console/error_output.h"
#include "console/exit_request.h"

namespace sol {
namespace {

[[noreturn]] void failEmpty() {
    writeErrorLine("스택 공백 에러\n");
    throw ExitRequest{1};
}

}  // namespace

void initStack(CardStack& s) {
    s.top = -1;
}

bool isEmpty(const CardStack& s) {
    return s.top == -1;
}

bool isFull(const CardStack& s) {
    return s.top == CardStack::kCapacity - 1;
}

void push(CardStack& s, Card c) {
    if (isFull(s)) {
        writeErrorLine("스택 포화 에러\n");
        return;
    }
    s.items[++s.top] = c;
}

Card pop(CardStack& s) {
    if (isEmpty(s)) {
        failEmpty();
    }
    return s.items[s.top--];
}

Card peek(const CardStack& s) {
    if (isEmpty(s)) {
        failEmpty();
    }
    return s.items[s.top];
}

}  // namespace sol
