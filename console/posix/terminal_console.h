#pragma once

#include <sys/ioctl.h>
#include <termios.h>

#include <chrono>
#include <optional>
#include <string>

#include "console/frame_renderer.h"
#include "console/key_decoder.h"
#include "console/platform_console.h"
#include "console/posix/cp949_output.h"
#include "console/posix/signal_pipe.h"
#include "console/screen_buffer.h"

namespace sol::posix {

// A Unix terminal as the game's console. What the game writes goes into a
// screen model; before every key wait the renderer sends the terminal, in one
// write, just what changed. Keys are read raw and decoded; the signals a
// terminal sends arrive through a pipe in the same wait.
class TerminalConsole final : public PlatformConsole {
  public:
    struct Options {
        int in = 0;
        int out = 1;
        bool cp949 = false;  // encode output for a legacy Korean terminal
    };

    explicit TerminalConsole(Options options);
    ~TerminalConsole() override;
    TerminalConsole(const TerminalConsole&) = delete;
    TerminalConsole& operator=(const TerminalConsole&) = delete;

    void hideCursor() override { cursorHidden_ = true; }
    void gotoXY(int x, int y) override;
    void clearScreen() override;
    void write(std::string_view text) override { picture_.write(text); }
    int readKey() override;
    void restore() override;

  private:
    using Clock = std::chrono::steady_clock;

    KeyDecoder::Clock now() const;
    void enterRawMode();
    void takeOverScreen();
    void probeGlyphWidth();
    // Waits for input, a signal or `deadline`, whichever comes first, and
    // feeds what came to the decoder.
    void waitAndRead(std::optional<KeyDecoder::Clock> deadline);
    void handleSignals();
    void suspend();
    void present();
    std::optional<winsize> windowSize() const;
    bool windowTooSmall() const;
    void send(std::string bytes);

    Options options_;
    bool inIsTerminal_;
    bool outIsTerminal_;
    std::optional<termios> saved_;
    SignalPipe signals_;
    Cp949Encoder encoder_;
    Clock::time_point start_ = Clock::now();
    KeyDecoder decoder_;
    FrameRenderer renderer_;
    ScreenBuffer picture_;
    bool cursorHidden_ = false;
    bool screenTaken_ = false;
    bool inputEnded_ = false;
    bool active_ = true;                 // the terminal is ours until restore()
    std::optional<winsize> noticeSize_;  // the window the size notice was drawn for
};

}  // namespace sol::posix
