// libFuzzer target for the key decoder. The input is read as steps: one
// control byte, whose low six bits give how many of the following bytes
// arrive together and whose top two bits how long the pause after them is.
// Every key that comes out must be one the game can receive.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <set>

#include "console/key_codes.h"
#include "console/key_decoder.h"

namespace {

using sol::KeyDecoder;

const std::set<int> kAfterWidePrefix = {sol::key::kUp,     sol::key::kDown,     sol::key::kLeft,
                                        sol::key::kRight,  sol::key::kHome,     sol::key::kEnd,
                                        sol::key::kPageUp, sol::key::kPageDown, sol::key::kInsert,
                                        sol::key::kDelete, sol::key::kF11,      sol::key::kF12};

bool validSecondCode(int prefix, int code) {
    if (prefix == sol::key::kPadPrefix) {
        return code >= sol::key::kF1 && code < sol::key::kF1 + 10;
    }
    return kAfterWidePrefix.count(code) == 1;
}

bool validCharacter(int code) {
    return (code >= 1 && code < 0x80) ||
           (code >= 0x100 && code <= 0x10FFFF && !(code >= 0xD800 && code <= 0xDFFF));
}

void drain(KeyDecoder& decoder, int& pendingPrefix) {
    while (decoder.hasKey()) {
        const int code = decoder.nextKey();
        if (pendingPrefix >= 0) {
            if (!validSecondCode(pendingPrefix, code)) {
                std::abort();
            }
            pendingPrefix = -1;
        } else if (code == sol::key::kPrefix || code == sol::key::kPadPrefix) {
            pendingPrefix = code;
        } else if (!validCharacter(code)) {
            std::abort();
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    constexpr KeyDecoder::Clock kPauses[] = {KeyDecoder::Clock{0}, KeyDecoder::Clock{10},
                                             KeyDecoder::Clock{60}, KeyDecoder::Clock{300}};
    KeyDecoder decoder;
    KeyDecoder::Clock now{0};
    int pendingPrefix = -1;
    std::size_t pos = 0;
    while (pos < size) {
        const std::uint8_t control = data[pos++];
        const std::size_t length = std::min<std::size_t>(control & 0x3F, size - pos);
        decoder.feed({reinterpret_cast<const char*>(data + pos), length}, now);
        pos += length;
        now += kPauses[control >> 6];
        decoder.tick(now);
        drain(decoder, pendingPrefix);
    }
    decoder.finish();
    drain(decoder, pendingPrefix);
    // A two-code key always arrives whole.
    if (pendingPrefix >= 0) {
        std::abort();
    }
    return 0;
}
