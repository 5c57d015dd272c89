#include "console/terminal/terminal_core.h"

#include <algorithm>

#include "console/terminal/width_probe.h"

namespace sol {

std::string TerminalCore::takeOver(std::string_view modes, bool probe, Clock now, Clock probeWait) {
    taken_ = true;
    repaint();
    std::string bytes(modes);
    if (probe) {
        probe_ = Question::Asked;
        probeAskedAt_ = now;
        probeUntil_ = now + probeWait;
        decoder_.expectCursorReport(true);
        bytes += kWidthProbe;
    }
    return bytes;
}

bool TerminalCore::awaitingProbe(Clock now) const {
    return probe_ == Question::Asked && now < probeUntil_;
}

std::optional<TerminalCore::Clock> TerminalCore::deadline(Clock now) const {
    const auto escape = decoder_.deadline();
    if (!awaitingProbe(now)) {
        return escape;
    }
    return escape ? std::min(*escape, probeUntil_) : probeUntil_;
}

void TerminalCore::feed(std::string_view bytes, Clock now) {
    decoder_.feed(bytes, now);
    takeProbeAnswer(now);
}

void TerminalCore::tick(Clock now) {
    decoder_.tick(now);
    takeProbeAnswer(now);
}

std::string TerminalCore::askForFence() {
    if (probe_ != Question::Answered) {
        return {};
    }
    fence_ = Question::Asked;
    decoder_.expectCursorReport(true);
    return "\x1b[6n";
}

TerminalCore::Clock TerminalCore::answerWait() const {
    return std::clamp(4 * roundTrip_, kLeastAnswerWait, kMostAnswerWait);
}

void TerminalCore::takeProbeAnswer(Clock now) {
    const auto report = decoder_.takeCursorReport();
    if (report && fence_ == Question::Asked) {
        fence_ = Question::Answered;
        decoder_.expectCursorReport(false);
    } else if (report) {
        probe_ = Question::Answered;
        roundTrip_ = now - probeAskedAt_;
        decoder_.expectCursorReport(false);
        // Another width repaints everything; the same changes nothing.
        renderer_.setGlyphWidth(glyphWidthFrom(*report));
    }
}

std::string TerminalCore::frame(const ScreenBuffer& picture, RowSet changed, bool cursorHidden) {
    std::string bytes;
    renderer_.present(picture, changed, cursorHidden, bytes);
    return bytes;
}

void TerminalCore::repaint() {
    renderer_.invalidate();
}

}  // namespace sol
