#pragma once

#include <chrono>
#include <deque>
#include <optional>
#include <string>
#include <string_view>

namespace sol {

// Turns the bytes a terminal sends into the key codes of the original console:
// Enter is 13, an arrow is the prefix 224 followed by 72, 80, 75 or 77, and the
// other cursor-block and function keys come in their two-code forms. Every
// other escape sequence is swallowed whole. A lone Escape is told from the start
// of a sequence by time: it becomes 27 when nothing follows it within
// kEscapeWait. The decoder does no I/O; it is fed bytes and the time they came.
class KeyDecoder {
  public:
    using Clock = std::chrono::milliseconds;  // time since any fixed start
    static constexpr Clock kEscapeWait{50};

    struct CursorReport {
        int row;  // 1-based, as terminals report them
        int column;
    };

    void feed(std::string_view bytes, Clock now);
    // Lets time pass with no bytes: completes a lone Escape after kEscapeWait.
    void tick(Clock now);
    // The input has ended: a pending Escape counts, a cut-off sequence does not.
    void finish();

    // When an incomplete sequence will be settled by tick(); none if no wait.
    std::optional<Clock> deadline() const;

    bool hasKey() const { return !keys_.empty(); }
    int nextKey();
    // The last cursor-position reply seen, taken once.
    std::optional<CursorReport> takeCursorReport();

  private:
    enum class State { Ground, Escape, Csi, Ss3, LinuxFunction, MouseBytes, Utf8 };

    void feedByte(unsigned char byte, Clock now);
    void ground(unsigned char byte, Clock now);
    void escape(unsigned char byte, Clock now);
    void csi(unsigned char byte, Clock now);
    void ss3(unsigned char byte);
    void utf8(unsigned char byte, Clock now);
    void finishCsi(char final);
    void emitPair(int prefix, int code);
    void reset() { state_ = State::Ground; }

    State state_ = State::Ground;
    Clock escapeAt_{0};
    std::string params_;
    bool overlong_ = false;
    int mouseBytesLeft_ = 0;
    char32_t utf8Value_ = 0;
    int utf8Left_ = 0;
    char32_t utf8Minimum_ = 0;
    bool afterCarriageReturn_ = false;
    std::deque<int> keys_;
    std::optional<CursorReport> cursorReport_;
};

}  // namespace sol
