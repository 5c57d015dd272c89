#include "console/posix/terminal_console.h"

#include <poll.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>

#include "console/error_output.h"
#include "console/exit_request.h"
#include "console/size_notice.h"

namespace sol::posix {
namespace {

constexpr std::string_view kEnterScreen = "\x1b[?1049h";
constexpr std::string_view kLeaveScreen = "\x1b[?25h\x1b[?1049l";
constexpr KeyDecoder::Clock kProbeWait{300};

// Writes everything, riding over interrupted and partial writes.
bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && (errno == EINTR || errno == EAGAIN)) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

}  // namespace

TerminalConsole::TerminalConsole(Options options)
    : options_(options),
      inIsTerminal_(::isatty(options.in) == 1),
      outIsTerminal_(::isatty(options.out) == 1) {
    if (inIsTerminal_) {
        termios settings{};
        if (tcgetattr(options_.in, &settings) == 0) {
            saved_ = settings;
            enterRawMode();
        }
    }
    if (::isatty(STDERR_FILENO) == 1) {
        holdErrorLines();
    }
}

TerminalConsole::~TerminalConsole() {
    restore();
}

KeyDecoder::Clock TerminalConsole::now() const {
    return std::chrono::duration_cast<KeyDecoder::Clock>(Clock::now() - start_);
}

void TerminalConsole::enterRawMode() {
    if (!saved_) {
        return;
    }
    // Keys one at a time without echo; Ctrl-C, Ctrl-\ and Ctrl-Z still raise
    // their signals, so the usual ways out of a program keep working.
    termios raw = *saved_;
    raw.c_iflag &= ~static_cast<tcflag_t>(ICRNL | INLCR | IGNCR | IXON | ISTRIP | BRKINT);
    raw.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO | IEXTEN);
    raw.c_lflag |= ISIG;
    raw.c_oflag &= ~static_cast<tcflag_t>(OPOST);
    raw.c_cc[VMIN] = 1;
    raw.c_cc[VTIME] = 0;
    tcsetattr(options_.in, TCSAFLUSH, &raw);
}

void TerminalConsole::gotoXY(int x, int y) {
    // The console's coordinates are 16-bit.
    picture_.moveTo(static_cast<std::int16_t>(x), static_cast<std::int16_t>(y));
}

void TerminalConsole::clearScreen() {
    if (!screenTaken_) {
        takeOverScreen();
    }
    picture_.clear();
}

void TerminalConsole::takeOverScreen() {
    screenTaken_ = true;
    send(std::string(kEnterScreen));
    if (inIsTerminal_ && outIsTerminal_) {
        probeGlyphWidth();
    }
    renderer_.invalidate();
}

void TerminalConsole::probeGlyphWidth() {
    // Draw one box glyph at the home cell and ask where the cursor went.
    send("\x1b[H┏\x1b[6n");
    const KeyDecoder::Clock until = now() + kProbeWait;
    std::optional<KeyDecoder::CursorReport> report;
    while (!report && !inputEnded_ && now() < until) {
        waitAndRead(until);
        report = decoder_.takeCursorReport();
    }
    // Keys typed meanwhile stay queued in the decoder for the game.
    if (report && report->column >= 3) {
        renderer_.setGlyphWidth(GlyphWidth::Wide);
    }
}

int TerminalConsole::readKey() {
    for (;;) {
        handleSignals();
        const bool tooSmall = windowTooSmall();
        if (!tooSmall && decoder_.hasKey()) {
            present();
            return decoder_.nextKey();
        }
        if (inputEnded_) {
            throw ExitRequest{1};
        }
        present();
        waitAndRead(decoder_.deadline());
    }
}

void TerminalConsole::waitAndRead(std::optional<KeyDecoder::Clock> deadline) {
    pollfd fds[2] = {{options_.in, POLLIN, 0}, {signals_.fd(), POLLIN, 0}};
    int timeout = -1;
    if (deadline) {
        timeout = static_cast<int>(std::max<std::int64_t>(0, (*deadline - now()).count()));
    }
    const int ready = ::poll(fds, signals_.fd() >= 0 ? 2 : 1, timeout);
    if (ready <= 0) {
        decoder_.tick(now());
        return;
    }
    if (fds[1].revents & POLLIN) {
        handleSignals();
    }
    if (fds[0].revents & (POLLIN | POLLHUP | POLLERR)) {
        char bytes[256];
        const ssize_t n = ::read(options_.in, bytes, sizeof bytes);
        if (n > 0) {
            decoder_.feed(std::string_view(bytes, static_cast<std::size_t>(n)), now());
        } else if (n == 0 || (errno != EINTR && errno != EAGAIN)) {
            decoder_.finish();
            inputEnded_ = true;
        }
    }
    decoder_.tick(now());
}

void TerminalConsole::handleSignals() {
    for (const int signal : signals_.take()) {
        switch (signal) {
            case SIGTSTP:
                suspend();
                break;
            case SIGCONT:
                // Continued after a stop we did not see coming: the shell may
                // have reset the terminal.
                enterRawMode();
                renderer_.invalidate();
                break;
            case SIGWINCH:
                renderer_.invalidate();
                noticeSize_.reset();
                break;
            default:
                throw ExitRequest{128 + signal, signal};
        }
    }
}

void TerminalConsole::suspend() {
    restore();
    SignalPipe::stopNow();
    active_ = true;
    enterRawMode();
    if (::isatty(STDERR_FILENO) == 1) {
        holdErrorLines();
    }
    if (screenTaken_) {
        send(std::string(kEnterScreen));
    }
    renderer_.invalidate();
}

std::optional<winsize> TerminalConsole::windowSize() const {
    winsize size{};
    if (!outIsTerminal_ || ::ioctl(options_.out, TIOCGWINSZ, &size) != 0 || size.ws_col == 0) {
        return std::nullopt;  // no size to go by: assume the screens fit
    }
    return size;
}

bool TerminalConsole::windowTooSmall() const {
    const auto size = windowSize();
    return size && sol::windowTooSmall(size->ws_col, size->ws_row);
}

void TerminalConsole::present() {
    const auto size = windowSize();
    if (screenTaken_ && size && sol::windowTooSmall(size->ws_col, size->ws_row)) {
        if (!noticeSize_ || noticeSize_->ws_col != size->ws_col ||
            noticeSize_->ws_row != size->ws_row) {
            send(sizeNotice(size->ws_col, size->ws_row));
            noticeSize_ = size;
        }
        // The picture comes back whole once the window is large enough.
        renderer_.invalidate();
        return;
    }
    noticeSize_.reset();
    std::string frame;
    renderer_.present(picture_, cursorHidden_, frame);
    send(std::move(frame));
}

void TerminalConsole::send(std::string bytes) {
    if (bytes.empty()) {
        return;
    }
    if (options_.cp949) {
        bytes = encoder_.encode(bytes);
    }
    if (!writeAll(options_.out, bytes)) {
        // The terminal is gone; there is no one left to play.
        throw ExitRequest{1};
    }
}

void TerminalConsole::restore() {
    if (!active_) {
        return;
    }
    active_ = false;
    if (screenTaken_) {
        writeAll(options_.out, kLeaveScreen);
    } else if (cursorHidden_) {
        writeAll(options_.out, "\x1b[?25h");
    }
    if (saved_) {
        tcsetattr(options_.in, TCSAFLUSH, &*saved_);
    }
    releaseErrorLines();
}

}  // namespace sol::posix
