#include "console/screen_buffer.h"

#include <gtest/gtest.h>

namespace sol {
namespace {

TEST(ScreenBuffer, placeholder) {
    ScreenBuffer s;
    s.write("ab");
    EXPECT_EQ(s.text(0, 0, 2), "ab");
}

}  // namespace
}  // namespace sol
