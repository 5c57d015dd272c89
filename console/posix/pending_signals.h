#pragma once

#include <signal.h>

namespace sol::posix {

// One flag a signal number, set by a handler and taken by the key wait. It has
// room for every number a system delivers (FreeBSD's real-time signals reach
// 126, Linux's 64; NSIG says less than that on some systems), and a number
// beyond it is never handled, so no flag is ever looked for out of bounds.
class PendingSignals {
  public:
    static constexpr int kCapacity = 129;

    static constexpr bool fits(int signal) { return signal > 0 && signal < kCapacity; }

    // Async-signal-safe: only a store to a flag.
    void set(int signal) {
        if (fits(signal)) {
            flags_[signal] = 1;
        }
    }
    bool pending(int signal) const { return fits(signal) && flags_[signal] != 0; }
    // Whether `signal` came since last taken.
    bool take(int signal) {
        if (!pending(signal)) {
            return false;
        }
        flags_[signal] = 0;
        return true;
    }
    void clear() {
        for (auto& flag : flags_) {
            flag = 0;
        }
    }

  private:
    volatile sig_atomic_t flags_[kCapacity] = {};
};

}  // namespace sol::posix
