#pragma once

#include <fcntl.h>
#include <unistd.h>

namespace sol::posix {

// A descriptor of the program's own never takes 0, 1 or 2, which stand for
// the standard streams even when those are closed: one that landed there is
// moved above them (close-on-exec, as all the program's own are).
inline int aboveStandardStreams(int fd) {
    if (fd >= 0 && fd <= STDERR_FILENO) {
        const int moved = fcntl(fd, F_DUPFD_CLOEXEC, STDERR_FILENO + 1);
        ::close(fd);
        return moved;
    }
    return fd;
}

}  // namespace sol::posix
