#include "console/posix/signal_pipe.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "console/posix/own_descriptor.h"
#include "console/posix/pending_signals.h"
#include "console/terminal/terminal_modes.h"

namespace sol::posix {
namespace {

// Signals whose default action ends the process, besides the real-time ones:
// those POSIX names, then those only some systems have (Linux's SIGPWR and
// SIGSTKFLT; SIGPOLL, which is SIGIO there, while the BSDs' SIGIO is ignored
// by default and is left alone).
constexpr int kTerminating[] = {
    SIGHUP,    SIGINT,  SIGQUIT,   SIGTERM, SIGPIPE, SIGUSR1,
    SIGUSR2,   SIGALRM, SIGVTALRM, SIGPROF, SIGXCPU, SIGXFSZ,
#ifdef SIGPOLL
    SIGPOLL,
#endif
#ifdef SIGPWR
    SIGPWR,
#endif
#ifdef SIGSTKFLT
    SIGSTKFLT,
#endif
};
constexpr int kJobControl[] = {SIGTSTP, SIGCONT, SIGWINCH};
constexpr int kCrash[] = {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT, SIGTRAP, SIGSYS};

// Bytes that work whatever state a crash left the output in: cancel a half-
// sent sequence and put the cursor on a fresh line; then the modes are given
// back.
constexpr char kCrashBytes[] = "\x18\x1b[25;1H\r\n";

PendingSignals pending;
volatile sig_atomic_t wakeFd = -1;

struct CrashRestore {
    volatile sig_atomic_t armed = 0;
    int in = -1;
    int out = -1;
    bool haveSettings = false;
    termios settings{};
    struct sigaction previous[PendingSignals::kCapacity];
};
CrashRestore crash;

void onSignal(int signal) {
    const int saved = errno;
    pending.set(signal);
    const unsigned char byte = 0;
    [[maybe_unused]] const ssize_t n = ::write(wakeFd, &byte, 1);
    errno = saved;
}

void onCrash(int signal) {
    if (crash.armed) {
        crash.armed = 0;
        tcflush(crash.out, TCOFLUSH);  // what is queued may be half a frame
        [[maybe_unused]] ssize_t n = ::write(crash.out, kCrashBytes, sizeof kCrashBytes - 1);
        n = ::write(crash.out, kGiveBackTerminal.data(), kGiveBackTerminal.size());
        if (crash.haveSettings) {
            tcsetattr(crash.in, TCSANOW, &crash.settings);
        }
    }
    // The handler that was there before (the default, or a sanitizer's)
    // takes the signal: at once for a raised one, on return for a fault.
    if (PendingSignals::fits(signal)) {
        sigaction(signal, &crash.previous[signal], nullptr);
    }
    raise(signal);
}

template <typename Each>
void forEachTerminating(Each each) {
    for (const int signal : kTerminating) {
        each(signal);
    }
#ifdef SIGRTMIN
    // A run-time range on some systems; only numbers the table holds.
    const int last = std::min(SIGRTMAX, PendingSignals::kCapacity - 1);
    for (int signal = SIGRTMIN; signal <= last; ++signal) {
        each(signal);
    }
#endif
}

// Both ends non-blocking and closed on exec; pipe2 would do it in one call,
// but not every system has it, and this program starts no other.
bool openWakePipe(int fds[2]) {
    if (::pipe(fds) != 0) {
        return false;
    }
    for (int i = 0; i < 2; ++i) {
        const int flags = fcntl(fds[i], F_GETFL);
        if (flags < 0 || fcntl(fds[i], F_SETFL, flags | O_NONBLOCK) != 0 ||
            fcntl(fds[i], F_SETFD, FD_CLOEXEC) != 0) {
            ::close(fds[0]);
            ::close(fds[1]);
            return false;
        }
    }
    return true;
}

alignas(16) char alternateStack[64 * 1024];

}  // namespace

SignalPipe::SignalPipe() {
    int fds[2];
    if (!openWakePipe(fds)) {
        return;  // no pipe: signals keep their default actions
    }
    readFd_ = aboveStandardStreams(fds[0]);
    wakeFd = aboveStandardStreams(fds[1]);
    pending.clear();  // what an earlier console saw is not this one's business
    // A stack of its own lets the crash handler run after a stack overflow.
    stack_t stack{};
    if (sigaltstack(nullptr, &stack) == 0 && (stack.ss_flags & SS_DISABLE) != 0) {
        stack.ss_sp = alternateStack;
        stack.ss_size = sizeof alternateStack;
        stack.ss_flags = 0;
        sigaltstack(&stack, nullptr);
    }

    auto install = [this](int signal, void (*handler)(int), int flags) {
        struct sigaction action {};
        action.sa_handler = handler;
        sigemptyset(&action.sa_mask);
        // No SA_RESTART: a signal interrupts whatever call is blocking.
        action.sa_flags = flags;
        const bool installed = std::any_of(saved_.begin(), saved_.end(),
                                           [&](const Saved& s) { return s.signal == signal; });
        Saved saved{signal, {}};
        // A system may refuse a number (one its threads library keeps).
        if (installed || sigaction(signal, &action, &saved.action) != 0) {
            return;
        }
        if (saved.action.sa_handler == SIG_IGN) {
            // The parent wants it ignored (nohup, a background job): so be it.
            sigaction(signal, &saved.action, nullptr);
            return;
        }
        saved_.push_back(saved);
    };
    forEachTerminating([&](int signal) { install(signal, onSignal, 0); });
    for (const int signal : kJobControl) {
        install(signal, onSignal, 0);
    }
    for (const int signal : kCrash) {
        // Filled before the handler can run: a crash then finds it set.
        sigaction(signal, nullptr, &crash.previous[signal]);
        install(signal, onCrash, SA_ONSTACK);
    }
}

SignalPipe::~SignalPipe() {
    disarmCrashRestore();
    for (const Saved& saved : saved_) {
        sigaction(saved.signal, &saved.action, nullptr);
    }
    if (readFd_ >= 0) {
        ::close(wakeFd);
        ::close(readFd_);
        wakeFd = -1;
    }
}

void SignalPipe::drain() const {
    char bytes[256];
    [[maybe_unused]] const ssize_t n = ::read(readFd_, bytes, sizeof bytes);
}

int SignalPipe::terminating() {
    int found = 0;
    forEachTerminating([&](int signal) {
        if (found == 0 && pending.pending(signal)) {
            found = signal;
        }
    });
    return found;
}

bool SignalPipe::take(int signal) {
    return pending.take(signal);
}

bool SignalPipe::jobControlPending() {
    for (const int signal : kJobControl) {
        if (pending.pending(signal)) {
            return true;
        }
    }
    return false;
}

void SignalPipe::stopNow() {
    struct sigaction ours {};
    struct sigaction stop {};
    stop.sa_handler = SIG_DFL;
    sigaction(SIGTSTP, &stop, &ours);
    ::raise(SIGTSTP);
    sigaction(SIGTSTP, &ours, nullptr);
}

void SignalPipe::armCrashRestore(int in, const termios* settings, int out) {
    crash.armed = 0;
    crash.in = in;
    crash.out = out;
    crash.haveSettings = settings != nullptr;
    if (settings != nullptr) {
        crash.settings = *settings;
    }
    crash.armed = 1;
}

void SignalPipe::disarmCrashRestore() {
    crash.armed = 0;
}

}  // namespace sol::posix
