#pragma once

namespace sol {

// Thrown by the console when the program cannot go on: the end of input, a
// lost terminal, a terminating signal. Only the program entry catches it, so
// that the terminal is given back before the process ends.
struct ExitRequest {
    int status = 0;
    // Non-zero when a signal asked for the end: the entry re-raises it once
    // the terminal is restored, so the parent sees the usual signal death.
    int signal = 0;
};

}  // namespace sol
