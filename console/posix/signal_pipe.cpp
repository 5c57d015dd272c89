#include "console/posix/signal_pipe.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "console/posix/own_descriptor.h"
#include "console/terminal_modes.h"

namespace sol::posix {
namespace {

// Signals whose default action ends the process, besides the real-time ones.
constexpr int kTerminating[] = {SIGHUP,  SIGINT,  SIGQUIT, SIGTERM,   SIGPIPE,
                                SIGUSR1, SIGUSR2, SIGALRM, SIGVTALRM, SIGPROF,
                                SIGXCPU, SIGXFSZ, SIGPWR,  SIGIO,     SIGSTKFLT};
constexpr int kJobControl[] = {SIGTSTP, SIGCONT, SIGWINCH};
constexpr int kCrash[] = {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT, SIGTRAP, SIGSYS};

// Bytes that work whatever state a crash left the output in: cancel a half-
// sent sequence and put the cursor on a fresh line; then the modes are given
// back.
constexpr char kCrashBytes[] = "\x18\x1b[25;1H\r\n";

volatile sig_atomic_t pending[NSIG];
volatile sig_atomic_t wakeFd = -1;

struct CrashRestore {
    volatile sig_atomic_t armed = 0;
    int in = -1;
    int out = -1;
    bool haveSettings = false;
    termios settings{};
    struct sigaction previous[NSIG];
};
CrashRestore crash;

void onSignal(int signal) {
    const int saved = errno;
    pending[signal] = 1;
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
    sigaction(signal, &crash.previous[signal], nullptr);
    raise(signal);
}

template <typename Each>
void forEachTerminating(Each each) {
    for (const int signal : kTerminating) {
        each(signal);
    }
    for (int signal = SIGRTMIN; signal <= SIGRTMAX; ++signal) {
        each(signal);
    }
}

alignas(16) char alternateStack[64 * 1024];

}  // namespace

SignalPipe::SignalPipe() {
    int fds[2];
    if (::pipe2(fds, O_NONBLOCK | O_CLOEXEC) != 0) {
        return;  // no pipe: signals keep their default actions
    }
    readFd_ = aboveStandardStreams(fds[0]);
    wakeFd = aboveStandardStreams(fds[1]);
    for (auto& flag : pending) {
        flag = 0;  // what an earlier console saw is not this one's business
    }
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
        Saved saved{signal, {}};
        if (sigaction(signal, &action, &saved.action) != 0) {
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
        if (found == 0 && pending[signal]) {
            found = signal;
        }
    });
    return found;
}

bool SignalPipe::take(int signal) {
    if (!pending[signal]) {
        return false;
    }
    pending[signal] = 0;
    return true;
}

bool SignalPipe::jobControlPending() {
    for (const int signal : kJobControl) {
        if (pending[signal]) {
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
