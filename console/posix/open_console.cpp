#include <signal.h>
#include <unistd.h>

#include "console/posix/cp949_output.h"
#include "console/posix/terminal_console.h"

namespace sol {

std::unique_ptr<PlatformConsole> openPlatformConsole() {
    posix::TerminalConsole::Options options;
    options.in = STDIN_FILENO;
    options.out = STDOUT_FILENO;
    options.cp949 = posix::namesKoreanCodePage(posix::characterLocale());
    return std::make_unique<posix::TerminalConsole>(options);
}

void endBySignal(int signal) {
    ::signal(signal, SIG_DFL);
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, signal);
    sigprocmask(SIG_UNBLOCK, &set, nullptr);
    ::raise(signal);
    _exit(128 + signal);  // a signal whose default is not to end the process
}

}  // namespace sol
