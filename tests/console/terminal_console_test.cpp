#include "console/posix/terminal_console.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "console/exit_request.h"
#include "console/key_codes.h"
#include "terminal_model.h"

namespace sol::posix {
namespace {

// A pseudo-terminal of the given size; the console runs on its slave end and
// the test plays the terminal on the master end.
class Pty {
  public:
    explicit Pty(int columns = 80, int rows = 25) {
        winsize size{};
        size.ws_col = static_cast<unsigned short>(columns);
        size.ws_row = static_cast<unsigned short>(rows);
        EXPECT_EQ(openpty(&master_, &slave_, nullptr, nullptr, &size), 0);
        fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);
    }
    ~Pty() {
        ::close(master_);
        ::close(slave_);
    }
    int slave() const { return slave_; }
    void type(std::string_view bytes) const {
        EXPECT_EQ(::write(master_, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    }
    // Everything the console has sent so far.
    std::string output() const {
        std::string out;
        char buffer[4096];
        ssize_t n;
        while ((n = ::read(master_, buffer, sizeof buffer)) > 0) {
            out.append(buffer, static_cast<std::size_t>(n));
        }
        return out;
    }
    termios settings() const {
        termios t{};
        tcgetattr(slave_, &t);
        return t;
    }

  private:
    int master_ = -1;
    int slave_ = -1;
};

bool sameSettings(const termios& a, const termios& b) {
    return a.c_iflag == b.c_iflag && a.c_oflag == b.c_oflag && a.c_lflag == b.c_lflag &&
           std::memcmp(a.c_cc, b.c_cc, sizeof a.c_cc) == 0;
}

TerminalConsole::Options on(int fd) {
    TerminalConsole::Options options;
    options.in = fd;
    options.out = fd;
    return options;
}

TEST(TerminalConsole, RawWhileOpenAndGivenBackAsFound) {
    Pty pty;
    const termios before = pty.settings();
    {
        TerminalConsole console(on(pty.slave()));
        const termios raw = pty.settings();
        EXPECT_FALSE(raw.c_lflag & (ICANON | ECHO));
        EXPECT_TRUE(raw.c_lflag & ISIG) << "Ctrl-C must still interrupt";
        console.restore();
        EXPECT_TRUE(sameSettings(pty.settings(), before));
        console.restore();  // a second call changes nothing
    }
    EXPECT_TRUE(sameSettings(pty.settings(), before));
}

TEST(TerminalConsole, DecodesKeysAndShowsTheFrameBeforeWaiting) {
    for (const auto& [reply, glyphs] :
         {std::pair{"\x1b[1;2R", GlyphWidth::Narrow}, std::pair{"\x1b[1;3R", GlyphWidth::Wide}}) {
        Pty pty;
        TerminalConsole console(on(pty.slave()));
        // The answer to the width probe comes with keys typed ahead.
        pty.type(std::string("x") + reply + "\x1bOA\r");
        console.clearScreen();
        console.hideCursor();
        console.gotoXY(10, 5);
        console.write("■가");
        EXPECT_EQ(console.readKey(), 'x');
        EXPECT_EQ(console.readKey(), key::kPrefix);
        EXPECT_EQ(console.readKey(), key::kUp);
        EXPECT_EQ(console.readKey(), key::kEnter);
        console.restore();

        const std::string out = pty.output();
        EXPECT_NE(out.find("\x1b[?1049h"), std::string::npos);
        EXPECT_NE(out.find("\x1b[6n"), std::string::npos);
        const std::size_t frame = out.find("\x1b[H\x1b[2J");
        ASSERT_NE(frame, std::string::npos);
        testing_support::TerminalModel terminal(glyphs);
        terminal.feed(out.substr(frame));
        EXPECT_EQ(terminal.at(10, 5), U'■');
        EXPECT_EQ(terminal.at(12, 5), U'가');
        EXPECT_TRUE(terminal.cursorVisible()) << "restored";
        EXPECT_NE(out.rfind("\x1b[?1049l"), std::string::npos);
    }
}

TEST(TerminalConsole, LegacyKoreanTerminalIsSentCp949) {
    Pty pty;
    TerminalConsole::Options options = on(pty.slave());
    options.cp949 = true;
    TerminalConsole console(options);
    pty.type("\x1b[1;3R\r");
    console.clearScreen();
    console.gotoXY(0, 1);
    console.write("가■");
    EXPECT_EQ(console.readKey(), key::kEnter);
    const std::string out = pty.output();
    EXPECT_NE(out.find("\xB0\xA1\xA1\xE1"), std::string::npos);
    EXPECT_EQ(out.find("가"), std::string::npos);
}

TEST(TerminalConsole, EndOfPipedInputEndsWithStatusOneAfterTheLastKey) {
    int keys[2];
    ASSERT_EQ(pipe(keys), 0);
    const int out = ::open("/dev/null", O_WRONLY);
    TerminalConsole::Options options;
    options.in = keys[0];
    options.out = out;
    {
        TerminalConsole console(options);
        ASSERT_EQ(::write(keys[1], "P\n\x1b", 3), 3);
        ::close(keys[1]);
        console.clearScreen();
        EXPECT_EQ(console.readKey(), 'P');
        EXPECT_EQ(console.readKey(), key::kEnter);
        EXPECT_EQ(console.readKey(), key::kEscape);
        try {
            console.readKey();
            ADD_FAILURE() << "input ended but no exit requested";
        } catch (const ExitRequest& request) {
            EXPECT_EQ(request.status, 1);
        }
    }
    ::close(keys[0]);
    ::close(out);
}

TEST(TerminalConsole, TerminatingSignalAsksForTheEnd) {
    Pty pty;
    TerminalConsole console(on(pty.slave()));
    pty.type("\x1b[1;2R");
    console.clearScreen();
    ::raise(SIGTERM);
    try {
        console.readKey();
        ADD_FAILURE() << "no exit requested";
    } catch (const ExitRequest& request) {
        EXPECT_EQ(request.signal, SIGTERM);
        EXPECT_EQ(request.status, 128 + SIGTERM);
    }
}

TEST(TerminalConsole, SmallWindowHoldsKeysUntilItGrows) {
    Pty pty(40, 10);
    TerminalConsole console(on(pty.slave()));
    pty.type("\x1b[1;2R");
    console.clearScreen();
    console.gotoXY(0, 0);
    console.write("picture");
    pty.type("k");
    // The window grows a little later; until then the key must wait.
    std::thread grow([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(150));
        winsize size{};
        size.ws_col = 80;
        size.ws_row = 25;
        ioctl(pty.slave(), TIOCSWINSZ, &size);
        ::raise(SIGWINCH);
    });
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(console.readKey(), 'k');
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(100));
    grow.join();
    const std::string out = pty.output();
    EXPECT_NE(out.find("창을"), std::string::npos);
    const std::size_t repaint = out.rfind("\x1b[H\x1b[2J");
    ASSERT_NE(repaint, std::string::npos);
    EXPECT_NE(out.find("picture", repaint), std::string::npos) << "the picture came back";
}

}  // namespace
}  // namespace sol::posix
