#include "console/posix/terminal_console.h"

#include <fcntl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "console/port/exit_request.h"
#include "console/port/key_codes.h"

namespace sol::posix {
namespace {

// A terminal's end (a hang-up) reads as the end of input; the program's own
// streams are checked on the real binary in a pseudo-terminal (tests/e2e).
TEST(TerminalConsole, EndOfInputEndsWithStatusOneAfterTheLastKey) {
    int keys[2];
    ASSERT_EQ(pipe(keys), 0);
    const int out = ::open("/dev/null", O_WRONLY);
    {
        TerminalConsole console({.in = keys[0], .out = out});
        ASSERT_EQ(::write(keys[1], "P\n\x1b", 3), 3);
        ::close(keys[1]);
        console.clearScreen();
        EXPECT_EQ(console.readInput().code, 'P');
        EXPECT_EQ(console.readInput().code, key::kEnter);
        EXPECT_EQ(console.readInput().code, key::kEscape);
        try {
            console.readInput();
            ADD_FAILURE() << "input ended but no exit requested";
        } catch (const ExitRequest& request) {
            EXPECT_EQ(request.status, 1);
        }
    }
    ::close(keys[0]);
    ::close(out);
}

}  // namespace
}  // namespace sol::posix
