#include "cards/card_stack.h"

#include <gtest/gtest.h>

#include "console/error_output.h"
#include "console/exit_request.h"

namespace sol {
namespace {

constexpr Card kX{1, 'h'}, kY{7, 'd'}, kZ{13, 's'};

TEST(CardStack, CardsLeaveInReverseOrder) {
    CardStack s;
    initStack(s);
    EXPECT_TRUE(isEmpty(s));
    EXPECT_FALSE(isFull(s));
    push(s, kX);
    push(s, kY);
    push(s, kZ);
    EXPECT_EQ(peek(s), kZ);
    EXPECT_EQ(peek(s), kZ);
    EXPECT_EQ(s.top, 2);
    EXPECT_EQ(pop(s), kZ);
    EXPECT_EQ(pop(s), kY);
    EXPECT_EQ(pop(s), kX);
    EXPECT_EQ(s.top, -1);
}

TEST(CardStack, PushAfterPopWritesOverTheFreedSlot) {
    CardStack s;
    initStack(s);
    push(s, kX);
    push(s, kY);
    pop(s);
    EXPECT_EQ(s.items[1], kY);  // a popped slot keeps its card until written over
    push(s, kZ);
    EXPECT_EQ(s.items[1], kZ);
    EXPECT_EQ(s.top, 1);
}

TEST(CardStack, FullStackDropsTheCardAndGoesOn) {
    ScopedErrorCapture errors;
    CardStack s;
    initStack(s);
    for (int i = 0; i < CardStack::kCapacity; ++i) {
        push(s, kX);
    }
    push(s, kY);  // replaced by the 60th below to see which card stays on top
    EXPECT_TRUE(isFull(s));
    EXPECT_EQ(s.top, 59);
    EXPECT_EQ(peek(s), kX);
    EXPECT_EQ(errors.text(), "스택 포화 에러\n");
}

TEST(CardStack, EmptyStackEndsTheProcessWithStatusOne) {
    for (const bool usePop : {true, false}) {
        ScopedErrorCapture errors;
        CardStack s;
        initStack(s);
        try {
            usePop ? pop(s) : peek(s);
            ADD_FAILURE() << "no exit requested";
        } catch (const ExitRequest& request) {
            EXPECT_EQ(request.status, 1);
            EXPECT_EQ(request.signal, 0);
        }
        EXPECT_EQ(errors.text(), "스택 공백 에러\n");
    }
}

}  // namespace
}  // namespace sol
