#include "console/posix/terminal_console.h"

#include <fcntl.h>
#include <limits.h>
#include <poll.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>

#include "console/port/error_output.h"
#include "console/port/exit_request.h"
#include "console/posix/own_descriptor.h"
#include "console/terminal/size_notice.h"
#include "console/terminal/terminal_modes.h"
#include "console/terminal/width_probe.h"

namespace sol::posix {
namespace {

// How long the first frame waits for the probe's answer; a later answer still
// counts, and the screen is drawn again.
constexpr TerminalCore::Clock kProbeWait{50};
// How long giving the terminal back may wait on a terminal that does not read.
constexpr int kGiveBackWaitMs = 50;

// The terminal opened again, non-blocking, so that writing to it never blocks
// (the shell shares the standard streams' own open file); -1 where that fails.
int openNonBlocking(int fd) {
    char path[PATH_MAX];
    if (ttyname_r(fd, path, sizeof path) != 0) {
        return -1;
    }
    return aboveStandardStreams(::open(path, O_WRONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC));
}

}  // namespace

bool positionsCursor(std::string_view term) {
    // Editors' shell buffers and line printers say "dumb".
    return term != "dumb" && !term.starts_with("dumb-");
}

TerminalConsole::TerminalConsole(Options options)
    : options_(options),
      inIsTerminal_(::isatty(options.in) == 1),
      outIsTerminal_(::isatty(options.out) == 1),
      out_(options.out),
      encoder_(options.cp949 ? std::make_unique<Cp949Encoder>() : nullptr),
      core_(options.cp949 ? KeyDecoder::Encoding::DoubleByte : KeyDecoder::Encoding::Utf8) {
    // Unprotected, Ctrl-C would leave the terminal raw; unconverted, the
    // screen would be unreadable. Better not to start.
    if (encoder_ && encoder_->unsupported()) {
        throw SetUpFailed{.noConverter = true};
    }
    if (signals_.fd() < 0 || (encoder_ && !encoder_->available())) {
        throw SetUpFailed{};
    }
    if (outIsTerminal_) {
        if (const int own = openNonBlocking(options.out); own >= 0) {
            out_ = own;
            ownOut_ = true;
        }
    }
    if (inIsTerminal_) {
        termios settings{};
        if (tcgetattr(options_.in, &settings) == 0) {
            saved_ = settings;
            enterRawMode();
        }
    }
    SignalPipe::armCrashRestore(options_.in, saved_ ? &*saved_ : nullptr, out_);
    if (::isatty(STDERR_FILENO) == 1) {
        holdErrorLines();
    }
    refreshWindowSize();
}

TerminalConsole::~TerminalConsole() {
    restore();
    if (ownOut_) {
        ::close(out_);
    }
}

TerminalCore::Clock TerminalConsole::now() const {
    return std::chrono::duration_cast<TerminalCore::Clock>(Clock::now() - start_);
}

void TerminalConsole::enterRawMode() {
    if (!saved_) {
        return;
    }
    // Keys one at a time without echo; Ctrl-C, Ctrl-\ and Ctrl-Z still raise
    // their signals, so the usual ways out of a program keep working. A read
    // never blocks (VMIN 0): poll() is the only wait, so a signal always ends
    // it. TCSANOW: flushing would lose typed keys, draining could block.
    termios raw = *saved_;
    raw.c_iflag &= ~static_cast<tcflag_t>(ICRNL | INLCR | IGNCR | IXON | ISTRIP | BRKINT);
    raw.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO | IEXTEN);
    raw.c_lflag |= ISIG;
    raw.c_oflag &= ~static_cast<tcflag_t>(OPOST);
    raw.c_cc[VMIN] = 0;
    raw.c_cc[VTIME] = 0;
    tcsetattr(options_.in, TCSANOW, &raw);
}

void TerminalConsole::takeOverScreen() {
    // Only a terminal that is read can answer the probe.
    send(core_.takeOver(kTakeTerminal, inIsTerminal_ && outIsTerminal_, now(), kProbeWait));
    noticeShown_ = false;
}

Input TerminalConsole::readInput() {
    if (!core_.taken()) {
        takeOverScreen();
    }
    for (;;) {
        handleSignals();
        if (core_.awaitingProbe(now()) && !inputEnded_) {
            waitAndRead(core_.deadline(now()));
            continue;
        }
        if (tooSmall_) {
            core_.dropInputs();  // typed blind: played later they would surprise
        } else if (core_.hasInput()) {
            present();
            return core_.nextInput();
        }
        if (inputEnded_) {
            throw ExitRequest{1};
        }
        present();
        // A wait for the terminal inside present() may have taken the wake-up
        // of a signal that is still to be acted on.
        if (SignalPipe::jobControlPending()) {
            continue;
        }
        waitAndRead(core_.deadline(now()));
    }
}

void TerminalConsole::waitAndRead(std::optional<TerminalCore::Clock> deadline) {
    pollfd fds[2] = {{options_.in, POLLIN, 0}, {signals_.fd(), POLLIN, 0}};
    int timeout = -1;
    if (deadline) {
        timeout = static_cast<int>(std::max<std::int64_t>(0, (*deadline - now()).count()));
    }
    if (::poll(fds, signals_.fd() >= 0 ? 2 : 1, timeout) > 0) {
        if (fds[1].revents & POLLIN) {
            signals_.drain();
        }
        if (fds[0].revents & (POLLIN | POLLHUP | POLLERR)) {
            readInput(fds[0].revents);
        }
    }
    if (deadline) {
        core_.tick(now());
    }
}

void TerminalConsole::readInput(short events) {
    char bytes[4096];
    const ssize_t n = ::read(options_.in, bytes, sizeof bytes);
    if (n > 0) {
        core_.feed(std::string_view(bytes, static_cast<std::size_t>(n)), now());
        return;
    }
    // With VMIN 0 a terminal reads 0 bytes when input was flushed under us;
    // only a hang-up ends it.
    const bool ended =
        n == 0 ? !inIsTerminal_ || (events & POLLHUP) != 0 : errno != EINTR && errno != EAGAIN;
    if (ended) {
        core_.finish();
        inputEnded_ = true;
    }
}

void TerminalConsole::throwIfTerminating() const {
    if (const int signal = SignalPipe::terminating()) {
        throw ExitRequest{128 + signal, signal};
    }
}

void TerminalConsole::handleSignals() {
    throwIfTerminating();
    if (SignalPipe::take(SIGTSTP)) {
        suspend();
    }
    if (SignalPipe::take(SIGCONT)) {
        // Continued after a stop we did not see coming: the shell may have
        // reset the terminal and drawn over the screen.
        resume();
    }
    if (SignalPipe::take(SIGWINCH)) {
        refreshWindowSize();
        repaint();
    }
}

void TerminalConsole::suspend() {
    giveBack(Fence::Yes);
    SignalPipe::stopNow();
    SignalPipe::take(SIGCONT);  // the continue that ended this stop
    resume();
}

void TerminalConsole::resume() {
    active_ = true;
    enterRawMode();
    SignalPipe::armCrashRestore(options_.in, saved_ ? &*saved_ : nullptr, out_);
    if (::isatty(STDERR_FILENO) == 1) {
        holdErrorLines();
    }
    if (core_.taken()) {
        send(kTakeTerminal);
    }
    refreshWindowSize();
    repaint();
}

void TerminalConsole::refreshWindowSize() {
    winsize size{};
    if (outIsTerminal_ && ::ioctl(out_, TIOCGWINSZ, &size) == 0 && size.ws_col != 0) {
        size_ = size;
        tooSmall_ = windowTooSmall(size.ws_col, size.ws_row);
    } else {
        size_.reset();  // no size to go by: assume the screens fit
        tooSmall_ = false;
    }
}

void TerminalConsole::repaint() {
    core_.repaint();
    noticeShown_ = false;
}

void TerminalConsole::present() {
    if (core_.taken() && tooSmall_) {
        if (!noticeShown_) {
            noticeShown_ = true;
            // The picture comes back whole once the window is large enough.
            core_.repaint();
            send(sizeNotice(size_->ws_col, size_->ws_row), Frame::Abandonable);
        }
        return;
    }
    noticeShown_ = false;
    if (const std::string frame = core_.frame(picture(), takeChanges().rows, cursorHidden());
        !frame.empty()) {
        send(frame, Frame::Abandonable);
    }
}

void TerminalConsole::send(std::string_view bytes, Frame frame) {
    std::string encoded;
    if (outputCut_) {
        // The last output stopped half way: cancel a sequence it may have
        // broken off before anything else is read as its end.
        encoded = "\x18";
    }
    if (encoder_) {
        encoded += encoder_->encode(bytes);
    } else {
        encoded += bytes;
    }
    bytes = encoded;
    while (!bytes.empty()) {
        const ssize_t n = ::write(out_, bytes.data(), bytes.size());
        if (n > 0) {
            bytes.remove_prefix(static_cast<std::size_t>(n));
            outputCut_ = !bytes.empty();
            continue;
        }
        outputCut_ = true;
        throwIfTerminating();
        if (n == 0 || (errno != EAGAIN && errno != EINTR)) {
            // The terminal is gone; there is no one left to play.
            throw ExitRequest{1};
        }
        if (frame == Frame::Abandonable && SignalPipe::jobControlPending()) {
            // A stop or a resize makes the rest of this picture worthless;
            // the key wait acts on it and paints the screen anew.
            repaint();
            return;
        }
        waitWritable(-1);
    }
}

void TerminalConsole::waitWritable(int timeoutMs) {
    pollfd fds[2] = {{out_, POLLOUT, 0}, {signals_.fd(), POLLIN, 0}};
    if (::poll(fds, signals_.fd() >= 0 ? 2 : 1, timeoutMs) > 0 && (fds[1].revents & POLLIN)) {
        signals_.drain();
    }
}

std::string TerminalConsole::cleanLine() const {
    if (noticeShown_) {
        return "\x1b[H\x1b[2J";
    }
    int last = -1;
    for (int y = 0; y < ScreenBuffer::kRows; ++y) {
        for (int x = 0; x < ScreenBuffer::kColumns; ++x) {
            if (picture().at(x, y).ch != U' ') {
                last = y;
                break;
            }
        }
    }
    // The line below the picture, so that a terminal without an alternate
    // screen shows the prompt under it, not in it.
    return last < 0 ? "\x1b[H" : "\x1b[" + std::to_string(last + 1) + ";1H\r\n";
}

void TerminalConsole::giveBack(Fence fence) {
    active_ = false;
    SignalPipe::disarmCrashRestore();
    std::string bytes;
    if (outputCut_ && outIsTerminal_) {
        // What is still queued is half a frame: drop it, and cancel a control
        // sequence it may have broken off.
        tcflush(out_, TCOFLUSH);
        bytes += '\x18';
    }
    bool fenced = false;
    if (core_.taken()) {
        bytes += cleanLine() + std::string(kGiveBackTerminal);
        if (fence == Fence::Yes && inIsTerminal_) {
            const std::string question = core_.askForFence();
            fenced = !question.empty();
            bytes += question;
        }
    }
    const auto until = Clock::now() + std::chrono::milliseconds(kGiveBackWaitMs);
    std::string_view rest = bytes;
    while (!rest.empty() && Clock::now() < until) {
        const ssize_t n = ::write(out_, rest.data(), rest.size());
        if (n > 0) {
            rest.remove_prefix(static_cast<std::size_t>(n));
        } else if (n < 0 && (errno == EAGAIN || errno == EINTR)) {
            waitWritable(kGiveBackWaitMs);
        } else {
            break;
        }
    }
    outputCut_ = !rest.empty();
    if (fenced && !outputCut_) {
        awaitFence();
    }
    if (saved_) {
        tcsetattr(options_.in, TCSANOW, &*saved_);
    }
    releaseErrorLines();
}

void TerminalConsole::awaitFence() {
    // At once from a local terminal; a round trip away over a network, which
    // the start-up probe measured.
    const TerminalCore::Clock until = now() + core_.answerWait();
    // What comes meanwhile is decoded as ever: keys typed before a stop
    // stay for after it; a release is no input.
    while (!core_.fenceAnswered() && !inputEnded_ && now() < until &&
           SignalPipe::terminating() == 0) {
        waitAndRead(until);
    }
}

void TerminalConsole::restore() {
    if (!active_) {
        return;
    }
    if (core_.taken() && !outputCut_ && SignalPipe::terminating() == 0) {
        try {
            present();  // the last picture stays where there is no alternate screen
        } catch (const ExitRequest&) {
            // A signal or a vanished terminal: give back what can be.
        }
    }
    giveBack(SignalPipe::terminating() == 0 ? Fence::Yes : Fence::No);
    if (saved_) {
        tcflush(options_.in, TCIFLUSH);  // keys meant for the game stay out of the shell
    }
}

}  // namespace sol::posix
