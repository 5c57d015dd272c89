// libFuzzer target for the key decoder. After a byte that picks the encoding,
// the input is read as steps: one control byte, whose low six bits give how
// many of the following bytes arrive together and whose top two bits how long
// the pause after them is. Every key that comes out must be one the game can
// receive, and a two-code key always arrives whole.

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "console/port/key_codes.h"
#include "console/terminal/key_decoder.h"

namespace {

using sol::KeyDecoder;

using namespace sol::key;

// The second code of a pair, as the game reads it after the prefix: never
// Enter nor another prefix; after the pad prefix never an arrow's code either,
// since the game reads those the same after either prefix and only the cursor
// block's arrows may move anything.
bool validSecondCode(int prefix, int code) {
    const bool arrow = code == kUp || code == kDown || code == kLeft || code == kRight;
    return code > 0 && code < 256 && code != kEnter && code != kPrefix &&
           !(prefix == kPadPrefix && arrow);
}

bool doubleByte = false;

bool validCharacter(int code) {
    if (doubleByte && code >= 0x80) {
        return code >= 0x8141 && code <= 0xFEFE;
    }
    return (code >= 1 && code < 0x80) ||
           (code >= 0x100 && code <= 0x10FFFF && !(code >= 0xD800 && code <= 0xDFFF));
}

void drain(KeyDecoder& decoder, int& pendingPrefix) {
    while (decoder.hasInput()) {
        const sol::Input input = decoder.nextInput();
        if (input.isPress()) {
            // Never between a prefix and its code; at a cell a report can name.
            if (pendingPrefix >= 0 || input.x < 0 || input.y < 0) {
                std::abort();
            }
            continue;
        }
        const int code = input.code;
        if (pendingPrefix >= 0) {
            if (!validSecondCode(pendingPrefix, code)) {
                std::abort();
            }
            pendingPrefix = -1;
        } else if (code == kPrefix || code == kPadPrefix) {
            pendingPrefix = code;
        } else if (!validCharacter(code)) {
            std::abort();
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    constexpr int kPauseMs[] = {0, 10, 60, 300};
    // The first byte's low bit picks the locale's encoding.
    doubleByte = size > 0 && (data[0] & 1) != 0;
    KeyDecoder decoder(doubleByte ? KeyDecoder::Encoding::DoubleByte : KeyDecoder::Encoding::Utf8);
    KeyDecoder::Clock now{0};
    int pendingPrefix = -1;
    std::size_t pos = 1;
    while (pos < size) {
        const std::uint8_t control = data[pos++];
        const std::size_t length = std::min<std::size_t>(control & 0x3F, size - pos);
        decoder.feed({reinterpret_cast<const char*>(data + pos), length}, now);
        pos += length;
        now += KeyDecoder::Clock{kPauseMs[control >> 6]};
        decoder.tick(now);
        drain(decoder, pendingPrefix);
    }
    decoder.finish();
    drain(decoder, pendingPrefix);
    if (pendingPrefix >= 0) {
        std::abort();
    }
    return 0;
}
