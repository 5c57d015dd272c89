#include "console/posix/signal_pipe.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>

namespace sol::posix {
namespace {

constexpr int kHandled[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGTSTP, SIGCONT, SIGWINCH};

volatile sig_atomic_t writeFd = -1;

void onSignal(int signal) {
    const int saved = errno;
    const unsigned char byte = static_cast<unsigned char>(signal);
    // A full pipe loses the byte; the same signal is already waiting there.
    [[maybe_unused]] const ssize_t n = ::write(writeFd, &byte, 1);
    errno = saved;
}

void install(int signal, void (*handler)(int)) {
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(signal, &action, nullptr);
}

}  // namespace

SignalPipe::SignalPipe() {
    int fds[2];
    if (::pipe(fds) != 0) {
        return;  // no pipe: signals keep their default actions
    }
    for (const int fd : fds) {
        fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
        fcntl(fd, F_SETFD, FD_CLOEXEC);
    }
    readFd_ = fds[0];
    writeFd = fds[1];
    for (const int signal : kHandled) {
        install(signal, onSignal);
    }
    // A vanished terminal must end the program through SIGHUP or a failed
    // write, not kill it silently with the terminal left raw.
    install(SIGPIPE, SIG_IGN);
}

SignalPipe::~SignalPipe() {
    if (readFd_ < 0) {
        return;
    }
    for (const int signal : kHandled) {
        install(signal, SIG_DFL);
    }
    install(SIGPIPE, SIG_DFL);
    ::close(writeFd);
    ::close(readFd_);
    writeFd = -1;
}

std::vector<int> SignalPipe::take() {
    std::vector<int> signals;
    unsigned char bytes[64];
    ssize_t n;
    while (readFd_ >= 0 && (n = ::read(readFd_, bytes, sizeof bytes)) > 0) {
        signals.insert(signals.end(), bytes, bytes + n);
    }
    return signals;
}

void SignalPipe::stopNow() {
    install(SIGTSTP, SIG_DFL);
    ::raise(SIGTSTP);
    install(SIGTSTP, onSignal);
}

}  // namespace sol::posix
