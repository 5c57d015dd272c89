#pragma once

#include <chrono>
#include <deque>
#include <optional>
#include <string>
#include <string_view>

#include "console/port/input.h"

namespace sol {

// Turns the bytes a terminal sends into the key codes of the original console:
// Enter is 13, an arrow is the prefix 224 followed by 72, 80, 75 or 77, and the
// other cursor-block, function, Alt and Ctrl keys come in their two-code forms.
// One typed character is one code, never a code the game acts on unless it is
// that key. A mouse report (SGR, or the legacy three bytes) is a press when it
// is the main button going down; releases, motion, the wheel and the other
// buttons are swallowed, like every escape sequence that is no key.
//
// Time decides only whether an Escape stands alone (nothing follows it within
// kEscapeWait) and whether a line feed is the end of a CR LF; once a sequence
// or a character has begun, its bytes are its own however late they come. The
// decoder does no I/O; it is fed bytes and the time they came.
class KeyDecoder {
  public:
    using Clock = std::chrono::milliseconds;  // time since any fixed start
    static constexpr Clock kEscapeWait{50};

    // How typed characters beyond ASCII arrive: UTF-8, or a double-byte code
    // page (CP949, EUC-KR) whose lead bytes are 0x81-0xFE.
    enum class Encoding { Utf8, DoubleByte };

    struct CursorReport {
        int row;  // 1-based, as terminals report them
        int column;
    };

    explicit KeyDecoder(Encoding encoding = Encoding::Utf8) : encoding_(encoding) {}

    void feed(std::string_view bytes, Clock now);
    // Lets time pass with no bytes: completes a lone Escape after kEscapeWait.
    void tick(Clock now);
    // The input has ended: a pending Escape counts, a cut-off sequence does not.
    void finish();

    // When a pending Escape will be settled by tick(); none if no wait.
    std::optional<Clock> deadline() const;

    bool hasInput() const { return !inputs_.empty(); }
    Input nextInput();
    void dropInputs() { inputs_.clear(); }

    // While a cursor-position request is unanswered, "ESC [ row ; column R" is
    // its answer; otherwise it is the key that sends the same bytes (Shift+F3).
    void expectCursorReport(bool expect) { expectReport_ = expect; }
    // The last cursor-position answer seen, taken once.
    std::optional<CursorReport> takeCursorReport();

  private:
    enum class State { Ground, Escape, Csi, Ss3, LinuxFunction, MouseBytes, Utf8, DoubleByte };
    // What a late byte may still belong to after time settled an Escape.
    enum class LateTail { None, Introducer, Ss3Final };

    void feedByte(unsigned char byte, Clock now);
    void ground(unsigned char byte, Clock now);
    void escape(unsigned char byte, Clock now);
    void csi(unsigned char byte, Clock now);
    void ss3(unsigned char byte);
    void linuxFunction(unsigned char byte);
    void mouseByte(unsigned char byte);
    void utf8(unsigned char byte, Clock now);
    void doubleByte(unsigned char byte, Clock now);
    void altKey(unsigned char byte);
    void finishCsi(char final);
    void sgrMouse(bool release);
    void emitKey(int code) { inputs_.push_back(Input::key(code)); }
    void emitPair(int prefix, int code);
    // `button` as terminals report it; `x` and `y` 1-based.
    void mouseReport(long button, long x, long y, bool release);
    void reset() { state_ = State::Ground; }

    Encoding encoding_;
    State state_ = State::Ground;
    LateTail lateTail_ = LateTail::None;
    Clock escapeAt_{0};
    std::string params_;
    bool overlong_ = false;
    bool expectReport_ = false;
    std::string mouseBytes_;  // of a legacy report, after ESC [ M
    char32_t utf8Value_ = 0;
    int utf8Left_ = 0;
    char32_t utf8Minimum_ = 0;
    unsigned char lead_ = 0;
    std::optional<Clock> carriageReturnAt_;  // the byte just before was CR, read then
    std::deque<Input> inputs_;
    std::optional<CursorReport> cursorReport_;
};

}  // namespace sol
