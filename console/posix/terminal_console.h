#pragma once

#include <sys/ioctl.h>
#include <termios.h>

#include <chrono>
#include <memory>
#include <optional>
#include <string>

#include "console/port/platform_console.h"
#include "console/posix/cp949_output.h"
#include "console/posix/signal_pipe.h"
#include "console/terminal/terminal_core.h"

namespace sol::posix {

// Whether the terminal TERM names can position the cursor, as every screen
// of the game needs. An unset TERM is taken to mean a usual terminal.
bool positionsCursor(std::string_view term);

// A Unix terminal as the game's console: it takes the terminal at the first
// key wait, sends the picture, rendered by the terminal core, in one write
// before every key wait, reads and decodes the keys, and answers signals,
// which arrive as flags seen in the same wait. Nothing blocks but poll(), so
// a signal is answered at once even while the terminal has stopped reading.
class TerminalConsole final : public PlatformConsole {
  public:
    struct Options {
        int in = 0;
        int out = 1;
        bool cp949 = false;  // a legacy Korean terminal: CP949 out, double-byte keys in
    };

    // Thrown before the terminal is touched when what protects it (the
    // signal handling) or what converts its text cannot be had: the process
    // may open no more files, or its C library has no CP949 converter.
    struct SetUpFailed {
        bool noConverter = false;
    };

    explicit TerminalConsole(Options options);
    ~TerminalConsole() override;
    TerminalConsole(const TerminalConsole&) = delete;
    TerminalConsole& operator=(const TerminalConsole&) = delete;

    Input readInput() override;
    void restore() override;

  private:
    using Clock = std::chrono::steady_clock;

    TerminalCore::Clock now() const;
    void enterRawMode();
    void takeOverScreen();
    // Waits for input, a signal or `deadline`, whichever comes first, and
    // feeds what came to the decoder.
    void waitAndRead(std::optional<TerminalCore::Clock> deadline);
    void readInput(short events);
    void handleSignals();
    void throwIfTerminating() const;
    void suspend();
    void resume();
    void refreshWindowSize();
    void repaint();
    void present();
    // Whether a stop or a resize may cut a write short: a picture may, the
    // modes set around it may not.
    enum class Frame { Whole, Abandonable };
    void send(std::string_view bytes, Frame frame = Frame::Whole);
    void waitWritable(int timeoutMs);
    // Restores settings, cursor and main screen without waiting on the
    // terminal for more than a moment. With `fence`, the reports still on
    // their way are read first (see TerminalCore::askForFence).
    enum class Fence { No, Yes };
    void giveBack(Fence fence);
    void awaitFence();
    std::string cleanLine() const;

    Options options_;
    bool inIsTerminal_;
    bool outIsTerminal_;
    int out_;              // a non-blocking descriptor of its own where it can be had
    bool ownOut_ = false;  // out_ was opened here
    std::optional<termios> saved_;
    // The converter first: it only borrows descriptors while it opens, and
    // the signal pipe keeps two.
    std::unique_ptr<Cp949Encoder> encoder_;  // only where the locale needs it
    SignalPipe signals_;
    Clock::time_point start_ = Clock::now();
    TerminalCore core_;
    std::optional<winsize> size_;
    bool tooSmall_ = false;
    bool noticeShown_ = false;
    bool inputEnded_ = false;
    bool outputCut_ = false;  // a frame stopped half way
    bool active_ = true;      // the terminal is ours until restore()
};

}  // namespace sol::posix
