#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cstdlib>
#include <stdexcept>

#include "console/posix/cp949_output.h"
#include "console/posix/terminal_console.h"

namespace sol {

std::unique_ptr<PlatformConsole> openPlatformConsole() {
    // A closed standard stream is held by /dev/null, so that no descriptor
    // opened later takes its number and receives what was meant for it.
    bool closed[3] = {};
    for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
        closed[fd] = fcntl(fd, F_GETFD) == -1;
        if (closed[fd]) {
            ::open("/dev/null", O_RDWR);  // takes the lowest free number: fd
        }
    }
    posix::TerminalConsole::Options options;
    options.in = STDIN_FILENO;
    options.out = STDOUT_FILENO;
    options.cp949 = posix::usesKoreanCodePage(posix::localeCodeset(), posix::characterLocale());

    auto unusable = [&](std::string_view korean, std::string_view english) {
        std::string line = std::string(korean) + " (" + std::string(english) + ")";
        if (options.cp949) {
            line = posix::Cp949Encoder().encode(line);
        }
        return std::runtime_error(line);
    };
    if (closed[STDIN_FILENO] || ::isatty(STDIN_FILENO) != 1) {
        throw unusable("표준 입력이 터미널이 아닙니다", "standard input is not a terminal");
    }
    if (closed[STDOUT_FILENO] || ::isatty(STDOUT_FILENO) != 1) {
        throw unusable("표준 출력이 터미널이 아닙니다", "standard output is not a terminal");
    }
    const char* term = std::getenv("TERM");
    if (!posix::positionsCursor(term != nullptr ? term : "")) {
        throw unusable("이 터미널은 커서를 옮길 수 없습니다",
                       "this terminal cannot move the cursor: TERM=" + std::string(term));
    }
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
