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

    // `koreanCp949` is the Korean already in CP949, for when the converter
    // itself is what could not be had.
    auto unusable = [&](std::string_view korean, std::string_view english,
                        std::string_view koreanCp949 = {}) {
        std::string line = std::string(korean) + " (" + std::string(english) + ")";
        if (options.cp949) {
            line = koreanCp949.empty()
                       ? posix::Cp949Encoder().encode(line)
                       : std::string(koreanCp949) + " (" + std::string(english) + ")";
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
    try {
        return std::make_unique<posix::TerminalConsole>(options);
    } catch (const posix::TerminalConsole::SetUpFailed& failed) {
        if (failed.noConverter) {
            throw unusable("이 시스템은 CP949로 바꿀 수 없어 시작할 수 없습니다",
                           "cannot start: the C library has no CP949 converter; use a UTF-8 locale",
                           "\xC0\xCC \xBD\xC3\xBD\xBA\xC5\xDB\xC0\xBA CP949\xB7\xCE \xB9\xD9"
                           "\xB2\xDC \xBC\xF6 \xBE\xF8\xBE\xEE \xBD\xC3\xC0\xDB\xC7\xD2 \xBC\xF6 "
                           "\xBE\xF8\xBD\xC0\xB4\xCF\xB4\xD9");
        }
        throw unusable("파일을 더 열 수 없어 시작할 수 없습니다",
                       "cannot start: no more files may be opened (ulimit -n)",
                       "\xC6\xC4\xC0\xCF\xC0\xBB\x20\xB4\xF5\x20\xBF\xAD\x20\xBC\xF6\x20"
                       "\xBE\xF8\xBE\xEE\x20\xBD\xC3\xC0\xDB\xC7\xD2\x20\xBC\xF6\x20\xBE\xF8"
                       "\xBD\xC0\xB4\xCF\xB4\xD9");
    }
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
