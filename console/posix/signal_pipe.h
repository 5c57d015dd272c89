#pragma once

#include <vector>

namespace sol::posix {

// Turns the signals a terminal program must answer into bytes on a pipe, so
// the key wait sees them beside the keyboard. The handlers only write the
// signal number; everything else happens in the normal flow of the program.
class SignalPipe {
  public:
    SignalPipe();
    ~SignalPipe();
    SignalPipe(const SignalPipe&) = delete;
    SignalPipe& operator=(const SignalPipe&) = delete;

    // The end to poll for reading.
    int fd() const { return readFd_; }
    // The signals that arrived since the last call, in order.
    std::vector<int> take();
    // Gives the stop signal its default action for one stop, then takes it
    // back: the process stops inside this call and returns once continued.
    static void stopNow();

  private:
    int readFd_ = -1;
};

}  // namespace sol::posix
