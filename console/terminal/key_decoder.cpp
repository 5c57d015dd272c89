#include "console/terminal/key_decoder.h"

#include <algorithm>
#include <array>
#include <utility>

#include "console/port/key_codes.h"

namespace sol {

namespace {

constexpr unsigned char kEsc = 0x1B;
// Longer parameters are garbage; keeping no more of them bounds memory.
constexpr std::size_t kMaxParams = 32;

// Scan codes of A..Z, which Alt+letter delivers after the pad prefix.
constexpr std::array<unsigned char, 26> kLetterScan = {30, 48, 46, 32, 18, 33, 34, 35, 23,
                                                       36, 37, 38, 50, 49, 24, 25, 16, 19,
                                                       31, 20, 22, 47, 17, 45, 21, 44};

using key::Modifiers;

// The modifiers from the xterm parameter (1 + a bit mask).
Modifiers modifiersOf(int parameter) {
    const int bits = parameter > 1 ? parameter - 1 : 0;
    return {(bits & 1) != 0, (bits & 2) != 0, (bits & 4) != 0};
}

// "a;b" as two numbers (-1 where absent); false for anything else.
bool twoParams(const std::string& params, int& first, int& second) {
    first = second = -1;
    int* target = &first;
    for (char c : params) {
        if (c == ';' && target == &first) {
            target = &second;
        } else if (c >= '0' && c <= '9' && *target < 10000) {
            *target = (*target < 0 ? 0 : *target * 10) + (c - '0');
        } else {
            return false;
        }
    }
    return true;
}

using Key = key::Pair;
using key::functionKey;

// Final bytes A to D.
Key arrowKey(char direction, Modifiers mods) {
    return key::arrowKey(static_cast<key::Arrow>(direction - 'A'), mods);
}

// Final letters shared by CSI and SS3.
std::optional<Key> letterKey(char final, Modifiers mods) {
    switch (final) {
        case 'A':
        case 'B':
        case 'C':
        case 'D':
            return arrowKey(final, mods);
        case 'H':
            return Key{key::kPrefix, key::kHome};
        case 'F':
            return Key{key::kPrefix, key::kEnd};
        case 'E':
            return Key{key::kPadPrefix, key::kPadCentre};
        case 'P':
        case 'Q':
        case 'R':
        case 'S':
            return functionKey(final - 'P', mods);
        case 'Z':
            return Key{key::kPadPrefix, key::kShiftTab};
        default:
            return std::nullopt;
    }
}

// CSI number '~' keys: Home, Insert, Delete, End, PgUp, PgDn, F1..F12 and the
// shifted F3..F10 that some terminals number 25..34.
std::optional<Key> tildeKey(int number, Modifiers mods) {
    switch (number) {
        case 1:
        case 7:
            return Key{key::kPrefix, key::kHome};
        case 2:
            return Key{key::kPrefix, key::kInsert};
        case 3:
            return Key{key::kPrefix, key::kDelete};
        case 4:
        case 8:
            return Key{key::kPrefix, key::kEnd};
        case 5:
            return Key{key::kPrefix, key::kPageUp};
        case 6:
            return Key{key::kPrefix, key::kPageDown};
        case 23:
        case 24:
            return key::f11Key(number - 23, mods);
        default:
            break;
    }
    if (number >= 11 && number <= 15) {
        return functionKey(number - 11, mods);
    }
    if (number >= 17 && number <= 21) {
        return functionKey(number - 12, mods);
    }
    static constexpr int kShifted[] = {25, 26, 28, 29, 31, 32, 33, 34};
    for (int i = 0; i < 8; ++i) {
        if (number == kShifted[i]) {
            return functionKey(2 + i, Modifiers{true, false, false});
        }
    }
    return std::nullopt;
}

}  // namespace

void KeyDecoder::feed(std::string_view bytes, Clock now) {
    for (char c : bytes) {
        feedByte(static_cast<unsigned char>(c), now);
    }
}

void KeyDecoder::tick(Clock now) {
    if ((state_ != State::Escape && state_ != State::Ss3) || now - escapeAt_ < kEscapeWait) {
        return;
    }
    if (state_ == State::Escape) {
        emitKey(key::kEscape);
        lateTail_ = LateTail::Introducer;
    } else {
        altKey('O');  // ESC O alone is Alt+O
        lateTail_ = LateTail::Ss3Final;
    }
    reset();
}

void KeyDecoder::finish() {
    tick(escapeAt_ + kEscapeWait);
    lateTail_ = LateTail::None;
    reset();
}

std::optional<KeyDecoder::Clock> KeyDecoder::deadline() const {
    if (state_ != State::Escape && state_ != State::Ss3) {
        return std::nullopt;
    }
    return escapeAt_ + kEscapeWait;
}

Input KeyDecoder::nextInput() {
    const Input input = inputs_.front();
    inputs_.pop_front();
    return input;
}

std::optional<KeyDecoder::CursorReport> KeyDecoder::takeCursorReport() {
    auto report = cursorReport_;
    cursorReport_.reset();
    return report;
}

void KeyDecoder::sgrMouse(bool release) {
    // "<button;column;row", each a decimal number; a huge one saturates.
    long values[3] = {};
    int field = 0;
    for (const char c : std::string_view(params_).substr(1)) {
        if (c == ';' && field < 2) {
            ++field;
        } else if (c >= '0' && c <= '9') {
            values[field] = std::min(values[field] * 10 + (c - '0'), 1L << 20);
        } else {
            return;  // no report this decoder knows
        }
    }
    if (field == 2) {
        mouseReport(values[0], values[1], values[2], release);
    }
}

void KeyDecoder::mouseReport(long button, long x, long y, bool release) {
    // Shift, Alt and Ctrl (4, 8, 16) do not change the button; motion (32),
    // the wheel (64) and the extra buttons (128) make it no press.
    constexpr long kModifiers = 4 | 8 | 16;
    if (release || (button & ~kModifiers) != 0 || x < 1 || y < 1) {
        return;
    }
    inputs_.push_back(Input::press(static_cast<int>(x - 1), static_cast<int>(y - 1)));
}

void KeyDecoder::emitPair(int prefix, int code) {
    emitKey(prefix);
    emitKey(code);
}

void KeyDecoder::feedByte(unsigned char byte, Clock now) {
    switch (state_) {
        case State::Ground:
            ground(byte, now);
            break;
        case State::Escape:
            escape(byte, now);
            break;
        case State::Csi:
            csi(byte, now);
            break;
        case State::Ss3:
            ss3(byte);
            break;
        case State::LinuxFunction:
        case State::MouseBytes:
            if (byte < 0x20) {
                // No such key or report goes on with a control byte: what came
                // was a stray prefix, and the byte (an arrow's Escape) counts.
                reset();
                ground(byte, now);
            } else if (state_ == State::LinuxFunction) {
                linuxFunction(byte);
            } else {
                mouseByte(byte);
            }
            break;
        case State::Utf8:
            utf8(byte, now);
            break;
        case State::DoubleByte:
            doubleByte(byte, now);
            break;
    }
}

void KeyDecoder::linuxFunction(unsigned char byte) {
    reset();  // ESC [ [ A..E: F1..F5 of the Linux console
    if (byte >= 'A' && byte <= 'E') {
        emitPair(key::kPadPrefix, key::kF1 + (byte - 'A'));
    }
}

void KeyDecoder::mouseByte(unsigned char byte) {
    mouseBytes_ += static_cast<char>(byte);
    if (mouseBytes_.size() == 3) {
        reset();
        // Each byte is 32 more than its value; release is button 3.
        const auto value = [&](int i) { return static_cast<unsigned char>(mouseBytes_[i]) - 32L; };
        mouseReport(value(0), value(1), value(2), (value(0) & 3) == 3);
    }
}

void KeyDecoder::ground(unsigned char byte, Clock now) {
    const std::optional<Clock> returnAt = std::exchange(carriageReturnAt_, std::nullopt);
    const LateTail late = lateTail_;
    lateTail_ = LateTail::None;
    if (late == LateTail::Introducer && (byte == '[' || byte == 'O')) {
        // The rest of a sequence whose Escape came too early to wait for it.
        escape(byte, now);
        return;
    }
    if (late == LateTail::Ss3Final && byte >= 0x40 && byte <= 0x7E) {
        return;
    }
    if (byte == kEsc) {
        state_ = State::Escape;
        escapeAt_ = now;
    } else if (byte == '\r') {
        emitKey(key::kEnter);
        carriageReturnAt_ = now;
    } else if (byte == '\n') {
        // CR LF sent together is one Enter; a line feed typed later (Ctrl-J)
        // is a key of its own.
        if (!returnAt || now - *returnAt >= kEscapeWait) {
            emitKey(key::kEnter);
        }
    } else if (byte == 0) {
        emitPair(key::kPadPrefix, key::kCtrlAt);
    } else if (byte < 0x80) {
        emitKey(byte);
    } else if (encoding_ == Encoding::DoubleByte) {
        if (byte >= 0x81 && byte <= 0xFE) {
            state_ = State::DoubleByte;
            lead_ = byte;
        }
    } else if (byte >= 0xC2 && byte <= 0xF4) {
        state_ = State::Utf8;
        utf8Left_ = byte >= 0xF0 ? 3 : byte >= 0xE0 ? 2 : 1;
        utf8Value_ = byte & (0x3F >> utf8Left_);
        utf8Minimum_ = utf8Left_ == 1 ? 0x80 : utf8Left_ == 2 ? 0x800 : 0x10000;
    }
    // Any other byte cannot begin a character: dropped.
}

void KeyDecoder::escape(unsigned char byte, Clock now) {
    if (byte == '[') {
        state_ = State::Csi;
        params_.clear();
        overlong_ = false;
    } else if (byte == 'O') {
        state_ = State::Ss3;
        escapeAt_ = now;
    } else if (byte == kEsc) {
        emitKey(key::kEscape);  // the first of two Escapes stands alone
        escapeAt_ = now;
    } else if (byte < 0x20 || byte >= 0x7F) {
        emitKey(key::kEscape);
        reset();
        ground(byte, now);
    } else {
        reset();
        altKey(byte);
    }
}

void KeyDecoder::altKey(unsigned char byte) {
    if (byte >= 'a' && byte <= 'z') {
        byte = static_cast<unsigned char>(byte - 'a' + 'A');
    }
    if (byte >= 'A' && byte <= 'Z') {
        emitPair(key::kPadPrefix, kLetterScan[byte - 'A']);
    } else if (byte >= '1' && byte <= '9') {
        emitPair(key::kPadPrefix, key::kAltDigit1 + (byte - '1'));
    } else if (byte == '0') {
        emitPair(key::kPadPrefix, key::kAltDigit1 + 9);
    } else {
        emitKey(byte);  // punctuation: the character, never an action code
    }
}

void KeyDecoder::csi(unsigned char byte, Clock now) {
    // rxvt ends shifted function keys with '$', which is no final byte elsewhere.
    const bool rxvtShift = byte == '$' && !params_.empty() &&
                           params_.find_first_not_of("0123456789") == std::string::npos;
    if ((byte >= 0x40 && byte <= 0x7E) || rxvtShift) {
        if (byte == '[' && params_.empty()) {
            state_ = State::LinuxFunction;
            return;
        }
        if (byte == 'M' && params_.empty()) {
            state_ = State::MouseBytes;  // legacy mouse: three raw bytes follow
            mouseBytes_.clear();
            return;
        }
        reset();
        if (!overlong_) {
            finishCsi(static_cast<char>(byte));
        }
    } else if (byte >= 0x20 && byte <= 0x3F) {
        if (params_.size() < kMaxParams) {
            params_ += static_cast<char>(byte);
        } else {
            overlong_ = true;  // swallowed to its final byte, then dropped
        }
    } else {
        // A control byte breaks the sequence off; the byte counts on its own.
        reset();
        ground(byte, now);
    }
}

void KeyDecoder::finishCsi(char final) {
    if (params_.starts_with('<') && (final == 'M' || final == 'm')) {
        sgrMouse(final == 'm');
        return;
    }
    int first = 0;
    int second = 0;
    if (!twoParams(params_, first, second)) {
        return;  // private forms (mouse, focus, replies to queries): no key
    }
    if (final == 'R' && expectReport_ && first > 0 && second > 0) {
        cursorReport_ = CursorReport{first, second};
        return;
    }
    std::optional<Key> found;
    if (final == '~' || final == '$' || final == '^' || final == '@') {
        Modifiers mods = modifiersOf(second);
        mods.shift |= final == '$' || final == '@';
        mods.ctrl |= final == '^' || final == '@';
        found = tildeKey(first, mods);
    } else if (final >= 'a' && final <= 'd' && params_.empty()) {
        found = arrowKey(static_cast<char>(final - 'a' + 'A'), Modifiers{true});  // rxvt Shift
    } else if (first <= 1) {
        found = letterKey(final, modifiersOf(second));
    }
    if (found) {
        emitPair(found->prefix, found->code);
    }
    // Anything else (mouse, focus, paste markers, unknown keys) is no key.
}

void KeyDecoder::ss3(unsigned char byte) {
    reset();
    if (byte == 'M') {
        emitKey(key::kEnter);  // keypad Enter in application mode
    } else if (byte >= 'j' && byte <= 'y') {
        emitKey(byte - 0x40);  // application keypad: * + , - . / 0..9
    } else if (byte >= 'a' && byte <= 'd') {
        const Key k = arrowKey(static_cast<char>(byte - 'a' + 'A'), Modifiers{false, false, true});
        emitPair(k.prefix, k.code);  // rxvt Ctrl+arrows
    } else if (const auto k = letterKey(static_cast<char>(byte), Modifiers{})) {
        emitPair(k->prefix, k->code);
    }
}

void KeyDecoder::utf8(unsigned char byte, Clock now) {
    if ((byte & 0xC0) != 0x80) {
        reset();  // cut-off character: dropped, the byte starts afresh
        ground(byte, now);
        return;
    }
    utf8Value_ = (utf8Value_ << 6) | (byte & 0x3F);
    if (--utf8Left_ > 0) {
        return;
    }
    reset();
    const bool valid = utf8Value_ >= utf8Minimum_ && utf8Value_ <= 0x10FFFF &&
                       !(utf8Value_ >= 0xD800 && utf8Value_ <= 0xDFFF);
    if (valid) {
        // Latin-1 code points would collide with the two-code prefixes (224
        // is à), so those characters arrive as the replacement character.
        emitKey(utf8Value_ < 0x100 ? 0xFFFD : static_cast<int>(utf8Value_));
    }
}

void KeyDecoder::doubleByte(unsigned char byte, Clock now) {
    reset();
    const bool trail = (byte >= 0x41 && byte <= 0x5A) || (byte >= 0x61 && byte <= 0x7A) ||
                       (byte >= 0x81 && byte <= 0xFE);
    if (trail) {
        // The character's two bytes, lead byte high: never an action code.
        emitKey(lead_ << 8 | byte);
    } else {
        ground(byte, now);  // the lead byte was cut off: dropped
    }
}

}  // namespace sol
