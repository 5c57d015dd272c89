#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "console/port/screen_buffer.h"
#include "console/terminal/frame_renderer.h"
#include "console/terminal/key_decoder.h"

namespace sol {

// What every terminal backend (a Unix terminal, the page) has in
// common, so that a backend does only its I/O: the renderer that turns the
// console's picture into bytes, the modes set when the terminal is taken, the
// glyph-width probe and the decoding of keys, presses and the probe's answer.
class TerminalCore {
  public:
    using Clock = KeyDecoder::Clock;

    explicit TerminalCore(KeyDecoder::Encoding encoding = KeyDecoder::Encoding::Utf8)
        : decoder_(encoding) {}

    // The bytes that take the terminal: `modes`, then, if `probe`, the
    // question whose answer says how wide the terminal draws box glyphs.
    // The first frame waits up to `probeWait` for that answer; a later answer
    // still counts, and the screen is drawn again.
    std::string takeOver(std::string_view modes, bool probe, Clock now, Clock probeWait);
    bool taken() const { return taken_; }
    // Whether the first frame is still to wait for the probe's answer.
    bool awaitingProbe(Clock now) const;
    // When a wait for input must end to settle an Escape or stop waiting for
    // the probe; none if it may wait for ever.
    std::optional<Clock> deadline(Clock now) const;

    // A question sent after the press reports are turned off, whose answer
    // comes after every report the terminal sent before it read the mode-off:
    // once it is in, no release of the click that ended the program is still
    // on its way to the shell. Empty for a terminal that never answered the
    // probe, which would not answer this either.
    std::string askForFence();
    bool fenceAnswered() const { return fence_ == Question::Answered; }
    // How long to wait for the fence's answer: four round trips of the
    // probe's (a link may slow down as the game runs), at least
    // kLeastAnswerWait, at most kMostAnswerWait. On a fast link the answer
    // comes at once and ends the wait; past the bound a player on a link
    // that slow finds the answer at the prompt.
    static constexpr Clock kLeastAnswerWait{500};
    static constexpr Clock kMostAnswerWait{10000};
    Clock answerWait() const;

    // Bytes from the terminal, and the time they came.
    void feed(std::string_view bytes, Clock now);
    void tick(Clock now);
    void finish() { decoder_.finish(); }
    bool hasInput() const { return decoder_.hasInput(); }
    Input nextInput() { return decoder_.nextInput(); }
    void dropInputs() { decoder_.dropInputs(); }

    // The bytes that bring the terminal up to `picture`, whose rows outside
    // `changed` are as they were at the last frame; empty when nothing
    // changed.
    std::string frame(const ScreenBuffer& picture, RowSet changed, bool cursorHidden);
    // What the terminal shows is unknown: the next frame paints it all.
    void repaint();

  private:
    enum class Question { NotAsked, Asked, Answered };

    void takeProbeAnswer(Clock now);

    KeyDecoder decoder_;
    FrameRenderer renderer_;
    bool taken_ = false;
    Question probe_ = Question::NotAsked;
    Question fence_ = Question::NotAsked;
    Clock probeAskedAt_{0};
    Clock probeUntil_{0};
    Clock roundTrip_{0};  // the probe's, once answered
};

}  // namespace sol
