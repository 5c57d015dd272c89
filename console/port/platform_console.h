#pragma once

#include <memory>

#include "console/port/console.h"

namespace sol {

// The console of the machine the program runs on, held from start-up to exit.
class PlatformConsole : public Console {
  public:
    // Gives the terminal back as it was found: settings, cursor, main screen.
    // Safe to call more than once.
    virtual void restore() = 0;
};

std::unique_ptr<PlatformConsole> openPlatformConsole();

// Ends the process the way `signal` would have ended it. Call only after
// restore(); where signals do not exist this is never asked for.
[[noreturn]] void endBySignal(int signal);

}  // namespace sol
