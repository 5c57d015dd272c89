#include "console/key_decoder.h"

#include "console/key_codes.h"

namespace sol {

namespace {

constexpr unsigned char kEsc = 0x1B;
// Longer parameters are garbage; keeping no more of them bounds memory.
constexpr std::size_t kMaxParams = 32;

// The number before the first ';' of CSI parameters, or -1 when there is none.
int firstParam(const std::string& params) {
    int value = -1;
    for (char c : params) {
        if (c == ';') {
            break;
        }
        if (c < '0' || c > '9') {
            return -1;
        }
        value = (value < 0 ? 0 : value) * 10 + (c - '0');
        if (value > 9999) {
            return -1;
        }
    }
    return value;
}

// CSI number '~' keys: Home, Insert, Delete, End, PgUp, PgDn, F1..F12.
bool tildeKey(int number, int& prefix, int& code) {
    prefix = key::kPrefix;
    switch (number) {
        case 1:
        case 7:
            code = key::kHome;
            return true;
        case 2:
            code = key::kInsert;
            return true;
        case 3:
            code = key::kDelete;
            return true;
        case 4:
        case 8:
            code = key::kEnd;
            return true;
        case 5:
            code = key::kPageUp;
            return true;
        case 6:
            code = key::kPageDown;
            return true;
        case 23:
            code = key::kF11;
            return true;
        case 24:
            code = key::kF12;
            return true;
        default:
            break;
    }
    prefix = key::kPadPrefix;
    if (number >= 11 && number <= 15) {  // F1..F5
        code = key::kF1 + number - 11;
        return true;
    }
    if (number >= 17 && number <= 21) {  // F6..F10
        code = key::kF1 + 5 + number - 17;
        return true;
    }
    return false;
}

// Final letters shared by CSI and SS3: arrows, Home, End and F1..F4.
bool letterKey(char final, int& prefix, int& code) {
    prefix = key::kPrefix;
    switch (final) {
        case 'A':
            code = key::kUp;
            return true;
        case 'B':
            code = key::kDown;
            return true;
        case 'C':
            code = key::kRight;
            return true;
        case 'D':
            code = key::kLeft;
            return true;
        case 'H':
            code = key::kHome;
            return true;
        case 'F':
            code = key::kEnd;
            return true;
        default:
            break;
    }
    prefix = key::kPadPrefix;
    if (final >= 'P' && final <= 'S') {
        code = key::kF1 + (final - 'P');
        return true;
    }
    return false;
}

}  // namespace

void KeyDecoder::feed(std::string_view bytes, Clock now) {
    for (char c : bytes) {
        feedByte(static_cast<unsigned char>(c), now);
    }
}

void KeyDecoder::tick(Clock now) {
    if (state_ == State::Escape && now - escapeAt_ >= kEscapeWait) {
        keys_.push_back(key::kEscape);
        reset();
    } else if (state_ != State::Ground && state_ != State::Escape &&
               now - escapeAt_ >= kEscapeWait * 4) {
        // A sequence that stopped half way will never finish: drop it.
        reset();
    }
}

void KeyDecoder::finish() {
    if (state_ == State::Escape) {
        keys_.push_back(key::kEscape);
    }
    reset();
}

std::optional<KeyDecoder::Clock> KeyDecoder::deadline() const {
    if (state_ == State::Ground) {
        return std::nullopt;
    }
    return escapeAt_ + (state_ == State::Escape ? kEscapeWait : kEscapeWait * 4);
}

int KeyDecoder::nextKey() {
    const int code = keys_.front();
    keys_.pop_front();
    return code;
}

std::optional<KeyDecoder::CursorReport> KeyDecoder::takeCursorReport() {
    auto report = cursorReport_;
    cursorReport_.reset();
    return report;
}

void KeyDecoder::emitPair(int prefix, int code) {
    keys_.push_back(prefix);
    keys_.push_back(code);
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
            reset();  // ESC [ [ A..E: F1..F5 of the Linux console
            if (byte >= 'A' && byte <= 'E') {
                emitPair(key::kPadPrefix, key::kF1 + (byte - 'A'));
            }
            break;
        case State::MouseBytes:
            if (--mouseBytesLeft_ == 0) {
                reset();
            }
            break;
        case State::Utf8:
            utf8(byte, now);
            break;
    }
}

void KeyDecoder::ground(unsigned char byte, Clock now) {
    const bool wasCarriageReturn = afterCarriageReturn_;
    afterCarriageReturn_ = false;
    if (byte == kEsc) {
        state_ = State::Escape;
        escapeAt_ = now;
    } else if (byte == '\r') {
        keys_.push_back(key::kEnter);
        afterCarriageReturn_ = true;
    } else if (byte == '\n') {
        if (!wasCarriageReturn) {  // CR LF is one Enter
            keys_.push_back(key::kEnter);
        }
    } else if (byte == 0) {
        // Ctrl-@ would read as the first half of a two-code key: dropped.
    } else if (byte < 0x80) {
        keys_.push_back(byte);
    } else if (byte >= 0xC2 && byte <= 0xF4) {
        state_ = State::Utf8;
        escapeAt_ = now;
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
    } else if (byte == kEsc) {
        keys_.push_back(key::kEscape);  // the first of two Escapes stands alone
        escapeAt_ = now;
    } else if (byte < 0x20 || byte >= 0x80) {
        keys_.push_back(key::kEscape);
        reset();
        ground(byte, now);
    } else {
        reset();  // Alt with a key: not a key of the game
    }
}

void KeyDecoder::csi(unsigned char byte, Clock now) {
    if (byte >= 0x40 && byte <= 0x7E) {
        if (byte == '[' && params_.empty()) {
            state_ = State::LinuxFunction;
            return;
        }
        if (byte == 'M' && params_.empty()) {
            state_ = State::MouseBytes;  // X10 mouse: three raw bytes follow
            mouseBytesLeft_ = 3;
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
    int prefix = 0;
    int code = 0;
    const bool plain = params_.empty() || params_ == "1";
    if (final == 'R' && params_.find(';') != std::string::npos) {
        const int row = firstParam(params_);
        const int column = firstParam(params_.substr(params_.find(';') + 1));
        if (row > 0 && column > 0) {
            cursorReport_ = CursorReport{row, column};
        }
    } else if (final == '~') {
        if (params_.find(';') == std::string::npos && tildeKey(firstParam(params_), prefix, code)) {
            emitPair(prefix, code);
        }
    } else if (plain && letterKey(final, prefix, code)) {
        emitPair(prefix, code);
    }
    // Anything else (modifiers, mouse, focus, paste markers) is no key.
}

void KeyDecoder::ss3(unsigned char byte) {
    reset();
    int prefix = 0;
    int code = 0;
    if (byte == 'M') {
        keys_.push_back(key::kEnter);  // keypad Enter in application mode
    } else if (letterKey(static_cast<char>(byte), prefix, code)) {
        emitPair(prefix, code);
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
        keys_.push_back(utf8Value_ < 0x100 ? 0xFFFD : static_cast<int>(utf8Value_));
    }
}

}  // namespace sol
