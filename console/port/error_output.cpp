#include "console/port/error_output.h"

#include <unistd.h>

#include <cerrno>
#include <utility>

namespace sol {

namespace {

void writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
}

struct ErrorStream {
    ErrorSink capture;
    bool holding = false;
    std::string held;
};

ErrorStream& stream() {
    static ErrorStream instance;
    return instance;
}

}  // namespace

void writeErrorLine(std::string_view line) {
    ErrorStream& s = stream();
    if (s.capture) {
        s.capture(line);
    } else if (s.holding) {
        s.held += line;
    } else {
        writeAll(STDERR_FILENO, line);
    }
}

void holdErrorLines() {
    stream().holding = true;
}

void releaseErrorLines() {
    ErrorStream& s = stream();
    s.holding = false;
    writeAll(STDERR_FILENO, s.held);
    s.held.clear();
}

ErrorSink redirectErrorLines(ErrorSink sink) {
    return std::exchange(stream().capture, std::move(sink));
}

}  // namespace sol
