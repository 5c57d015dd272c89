#include "console/posix/terminal_console.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <string>
#include <thread>
#include <utility>

#include "console/port/exit_request.h"
#include "console/port/key_codes.h"
#include "support/terminal_model.h"

namespace sol::posix {
namespace {

using std::chrono::milliseconds;

// How the terminal answers the console's cursor position requests: each
// `delay` late, first `malformed` (if any) and the answer 0.5 s after it,
// the answer's bytes `perByte` apart, as over a slow link; and once the
// press reports go off, `afterModeOff`, a report that was on its way. All
// of it is sent even after the console has given the terminal back: that
// is the fault to catch.
struct Answers {
    milliseconds delay{};
    milliseconds perByte{};
    std::string malformed{};
    std::string afterModeOff{};
    bool onlyNewQuestions = false;  // the questions asked so far had their answers
};

// A pseudo-terminal of the given size; the console runs on its slave end and
// the test plays the terminal on the master end.
class Pty {
  public:
    explicit Pty(int columns = 80, int rows = 25) {
        winsize size{static_cast<unsigned short>(rows), static_cast<unsigned short>(columns), 0, 0};
        EXPECT_EQ(openpty(&master_, &slave_, nullptr, nullptr, &size), 0);
        fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);
    }
    ~Pty() {
        stopAnswering();
        ::close(master_);
        ::close(slave_);
    }
    int slave() const { return slave_; }
    void type(std::string_view bytes) const {
        EXPECT_EQ(::write(master_, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    }
    // Everything the console has sent since last asked.
    std::string output() {
        read();
        return std::exchange(unread_, {});
    }
    void answer(const Answers& how = {}) {
        if (how.onlyNewQuestions) {
            read();
        }
        answerer_ = std::thread([=, this, answered = seen_.size()]() mutable {
            bool sentLate = how.afterModeOff.empty();
            const auto until = std::chrono::steady_clock::now() + milliseconds(1000);
            for (bool last = false; !last;) {
                last = stop_ && (sentLate || std::chrono::steady_clock::now() >= until);
                pollfd fd{master_, POLLIN, 0};
                ::poll(&fd, 1, 1);
                read();
                if (!sentLate && seen_.find("\x1b[?1000l") != std::string::npos) {
                    type(how.afterModeOff);
                    sentLate = true;
                }
                for (std::size_t at; (at = seen_.find("\x1b[6n", answered)) != std::string::npos;) {
                    answered = at + 1;
                    std::this_thread::sleep_for(how.delay);
                    if (!how.malformed.empty()) {
                        type(how.malformed);
                        std::this_thread::sleep_for(milliseconds(500));
                    }
                    for (const char byte : std::string_view("\x1b[24;1R")) {
                        type(std::string(1, byte));
                        std::this_thread::sleep_for(how.perByte);
                    }
                }
            }
        });
    }
    void stopAnswering() {
        if (answerer_.joinable()) {
            stop_ = true;
            answerer_.join();
        }
    }
    // Whether a line typed now is all the shell reads: nothing was left for it.
    bool shellGetsOnlyItsLine() const {
        type("\n");
        char line[256];
        return ::read(slave_, line, sizeof line) == 1;
    }
    termios settings() const {
        termios t{};
        tcgetattr(slave_, &t);
        return t;
    }

  private:
    void read() {
        char buffer[4096];
        ssize_t n;
        while ((n = ::read(master_, buffer, sizeof buffer)) > 0) {
            seen_.append(buffer, static_cast<std::size_t>(n));
            unread_.append(buffer, static_cast<std::size_t>(n));
        }
    }

    int master_ = -1;
    int slave_ = -1;
    std::string seen_;
    std::string unread_;
    std::thread answerer_;
    std::atomic<bool> stop_ = false;
};

bool sameSettings(const termios& a, const termios& b) {
    return a.c_iflag == b.c_iflag && a.c_oflag == b.c_oflag && a.c_lflag == b.c_lflag &&
           std::memcmp(a.c_cc, b.c_cc, sizeof a.c_cc) == 0;
}

TerminalConsole::Options on(int fd, bool cp949 = false) {
    return {.in = fd, .out = fd, .cp949 = cp949};
}

// The width probe's answer counts whenever it comes, and the first frame does
// not wait for it. The terminal is raw while open, then given back as found,
// with keys typed ahead for the game flushed;
// as terminals without an alternate screen keep the last picture, the prompt
// comes on a clean line below it, also after a last clear.
TEST(TerminalConsole, ProbeAnswerSetsTheWidthAndTheTerminalIsGivenBackOnACleanLine) {
    struct Case {
        const char* name;
        std::string early;  // typed before the first frame
        std::string late;   // typed after it
        milliseconds firstFrameWithin;
        GlyphWidth glyphs;
        bool clearLast = false;
    };
    for (const Case& c :
         {Case{"narrow at once", "\x1b[1;2R", "", milliseconds{50}, GlyphWidth::Narrow},
          Case{"wide at once", "\x1b[1;3R", "", milliseconds{50}, GlyphWidth::Wide},
          Case{"never", "", "", milliseconds{100}, GlyphWidth::Narrow},
          Case{"wide, late", "", "\x1b[1;3R", milliseconds{100}, GlyphWidth::Wide},
          Case{"cleared last", "\x1b[1;2R", "", milliseconds{50}, GlyphWidth::Narrow, true}}) {
        Pty pty;
        const termios before = pty.settings();
        TerminalConsole console(on(pty.slave()));
        EXPECT_FALSE(pty.settings().c_lflag & (ICANON | ECHO));
        EXPECT_TRUE(pty.settings().c_lflag & ISIG) << "Ctrl-C must still interrupt";
        pty.type(c.early + "x");
        console.clearScreen();
        console.hideCursor();
        console.gotoXY(10, 5);
        console.write("■가");
        const auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(console.readInput().code, 'x') << c.name;
        EXPECT_LT(std::chrono::steady_clock::now() - start, c.firstFrameWithin) << c.name;
        pty.type(c.late + "\x1bOA");
        EXPECT_EQ(console.readInput().code, key::kPrefix);
        EXPECT_EQ(console.readInput().code, key::kUp);
        if (c.clearLast) {
            console.clearScreen();
        }
        pty.type("typed ahead");
        std::this_thread::sleep_for(milliseconds(20));  // into the slave's queue
        // A terminal that answered is asked once more, and a release sent
        // just after the reports went off is read before the shell is back.
        const bool answered = !(c.early + c.late).empty();
        pty.answer({.afterModeOff = answered ? "\x1b[<0;5;5m" : "", .onlyNewQuestions = true});
        const auto restoring = std::chrono::steady_clock::now();
        console.restore();
        console.restore();  // a second call changes nothing
        EXPECT_LT(std::chrono::steady_clock::now() - restoring, milliseconds{100})
            << c.name << ": a terminal that does not answer is not waited for";
        pty.stopAnswering();
        EXPECT_TRUE(sameSettings(pty.settings(), before)) << c.name;
        const std::string out = pty.output();
        EXPECT_TRUE(pty.shellGetsOnlyItsLine()) << c.name << ": only keys meant for the shell";

        EXPECT_TRUE(out.starts_with("\x1b[?1049h\x1b[?1000h\x1b[?1006h")) << "presses reported";
        EXPECT_TRUE(out.ends_with(std::string(c.clearLast ? "\x1b[H" : "가\x1b[6;1H\r\n") +
                                  "\x1b[?1006l\x1b[?1000l\x1b[?25h\x1b[?1049l" +
                                  (answered ? "\x1b[6n" : "")))
            << c.name << testing::PrintToString(out);
        const std::size_t frame = out.rfind("\x1b[H\x1b[2J");
        ASSERT_NE(frame, std::string::npos);
        testing_support::TerminalModel terminal(c.glyphs);
        terminal.feed(out.substr(frame));
        EXPECT_EQ(terminal.at(10, 5), c.clearLast ? U' ' : U'■') << c.name;
        EXPECT_EQ(terminal.at(12, 5), c.clearLast ? U' ' : U'가') << c.name;
        EXPECT_TRUE(terminal.cursorVisible()) << "restored";
    }
}

// Over a slow link the terminal's answers come late, split or after a
// malformed one. Giving the terminal back waits for the last one, for as
// long as the probe's measured round trip says, so that it never reaches
// the shell; a terminal on a fast link is not waited for.
TEST(TerminalConsole, LateAnswersNeverReachTheShell) {
    struct Case {
        const char* name;
        milliseconds delay;
        milliseconds perByte;
        std::string malformed;
    };
    for (const Case& c : {Case{"0.8 s", milliseconds{800}, {}, ""},
                          Case{"a byte every 120 ms", {}, milliseconds{120}, ""},
                          Case{"malformed first", milliseconds{100}, {}, "\x1b[;R"}}) {
        Pty pty;
        TerminalConsole console(on(pty.slave()));
        pty.answer({.delay = c.delay, .perByte = c.perByte, .malformed = c.malformed});
        console.clearScreen();
        console.write("picture");
        // A key typed once the menu has come, so after the probe's answer.
        std::thread player([&] {
            std::this_thread::sleep_for(c.delay + 8 * c.perByte + milliseconds(700));
            pty.type("x");
        });
        while (console.readInput().code != 'x') {
            // a split answer's first byte, or the malformed one, read as keys
        }
        player.join();
        console.restore();
        pty.stopAnswering();
        EXPECT_TRUE(pty.shellGetsOnlyItsLine()) << c.name << ": nothing of the answer";
    }
}

TEST(TerminalConsole, LegacyKoreanTerminalIsSentCp949) {
    Pty pty;
    TerminalConsole console(on(pty.slave(), true));
    pty.type("\x1b[1;3R\xC2\x50\r");  // 헠 ends in 'P', yet is one key
    console.clearScreen();
    console.gotoXY(0, 1);
    console.write("가■");
    EXPECT_EQ(console.readInput().code, 0xC250);
    EXPECT_EQ(console.readInput().code, key::kEnter);
    const std::string out = pty.output();
    EXPECT_NE(out.find("\xB0\xA1\xA1\xE1"), std::string::npos);
    EXPECT_EQ(out.find("가"), std::string::npos);
}

TEST(TerminalConsole, EndOfPipedInputEndsWithStatusOneAfterTheLastKey) {
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

TEST(TerminalConsole, SmallWindowDropsKeysAndShowsTheNoticeAgainOnResume) {
    Pty pty(40, 10);
    TerminalConsole console(on(pty.slave()));
    pty.type("\x1b[1;2Rk");
    console.clearScreen();
    console.gotoXY(0, 0);
    console.write("picture");
    std::thread shell([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        ::raise(SIGCONT);  // resumed, still small
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        const winsize size{25, 80, 0, 0};
        ioctl(pty.slave(), TIOCSWINSZ, &size);
        ::raise(SIGWINCH);
        pty.type("j");
    });
    EXPECT_EQ(console.readInput().code, 'j') << "a key typed blind is dropped";
    shell.join();
    const std::string out = pty.output();
    const std::size_t notice = out.find("창을");
    ASSERT_NE(notice, std::string::npos);
    EXPECT_NE(out.find("창을", notice + 1), std::string::npos) << "the notice again after resume";
    const std::size_t repaint = out.rfind("\x1b[H\x1b[2J");
    ASSERT_NE(repaint, std::string::npos);
    EXPECT_NE(out.find("picture", repaint), std::string::npos) << "the picture came back";
}

}  // namespace
}  // namespace sol::posix
