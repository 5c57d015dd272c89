#pragma once

#include <signal.h>
#include <termios.h>

#include <vector>

namespace sol::posix {

// The signals a terminal program must answer, turned into state the key wait
// can look at. A handler only records its signal in a flag and writes a byte
// to a pipe whose sole use is to wake poll(): a full pipe loses bytes, never
// signals. Signals the parent set to be ignored stay ignored.
//
// Crash signals cannot wait for the program's flow: their handler gives the
// terminal back itself, with async-signal-safe calls, then lets the signal do
// what it would have done.
class SignalPipe {
  public:
    SignalPipe();
    ~SignalPipe();
    SignalPipe(const SignalPipe&) = delete;
    SignalPipe& operator=(const SignalPipe&) = delete;

    // The end to poll for reading; never 0, 1 or 2.
    int fd() const { return readFd_; }
    // Empties the pipe; call when poll() says it is readable.
    void drain() const;
    // A signal that ends the process by default, if one came; 0 otherwise.
    // It stays pending, so asking again gives it again.
    static int terminating();
    // Whether `signal` (SIGTSTP, SIGCONT or SIGWINCH) came since last asked.
    static bool take(int signal);
    // Whether a stop, a continue or a resize is waiting to be taken.
    static bool jobControlPending();
    // Gives the stop signal its default action for one stop, then takes it
    // back: the process stops inside this call and returns once continued.
    static void stopNow();

    // What the crash handler restores while armed: the settings of `in` (if
    // given) and the main screen and cursor on `out`.
    static void armCrashRestore(int in, const termios* settings, int out);
    static void disarmCrashRestore();

  private:
    int readFd_ = -1;
    struct Saved {
        int signal;
        struct sigaction action;
    };
    std::vector<Saved> saved_;
};

}  // namespace sol::posix
