#include "console/terminal/key_decoder.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace sol {

// How gtest shows an input.
void PrintTo(const Input& input, std::ostream* out) {
    *out << (input.isPress() ? "press " + std::to_string(input.x) + "," + std::to_string(input.y)
                             : "key " + std::to_string(input.code));
}

namespace {

using std::chrono::milliseconds;

std::vector<Input> drainInputs(KeyDecoder& decoder) {
    std::vector<Input> inputs;
    while (decoder.hasInput()) {
        inputs.push_back(decoder.nextInput());
    }
    return inputs;
}

// The codes of the keys that came out; a press there is a failure.
std::vector<int> drain(KeyDecoder& decoder) {
    std::vector<int> keys;
    for (const Input& input : drainInputs(decoder)) {
        EXPECT_FALSE(input.isPress()) << input.x << "," << input.y;
        keys.push_back(input.code);
    }
    return keys;
}

// Feeds the bytes at once, lets a second pass, and returns what came out.
std::vector<int> decode(std::string_view bytes) {
    KeyDecoder decoder;
    decoder.feed(bytes, milliseconds{0});
    decoder.tick(milliseconds{1000});
    return drain(decoder);
}

struct Case {
    const char* name;
    std::string bytes;
    std::vector<int> keys;
};

class DecodesSequence : public testing::TestWithParam<Case> {};

TEST_P(DecodesSequence, ToOriginalCodes) {
    EXPECT_EQ(decode(GetParam().bytes), GetParam().keys);
}

INSTANTIATE_TEST_SUITE_P(
    KeyDecoder, DecodesSequence,
    testing::ValuesIn(std::vector<Case>{
        {"enter_forms_crlf_as_one", "\r1\n2\r\n3\n\n", {13, '1', 13, '2', 13, '3', 13, 13}},
        {"letters_as_themselves", "HPKMhq1", {72, 80, 75, 77, 104, 113, 49}},
        {"arrows", "\x1b[A\x1b[B\x1b[C\x1b[D", {224, 72, 224, 80, 224, 77, 224, 75}},
        {"application_arrows", "\x1bOA\x1bOB\x1bOC\x1bOD", {224, 72, 224, 80, 224, 77, 224, 75}},
        {"modified_arrows_are_arrows",
         "\x1b[1A\x1b[1;2A\x1b[1;2D\x1b[b",
         {224, 72, 224, 72, 224, 75, 224, 80}},
        // Keys the game passes over come as two codes, as the original
        // console gave them; a cursor report nobody asked for is Shift+F3.
        {"passed_over_keys_are_two_codes",
         "\x1b[H\x1bOP\x1b[24~\x1b[1;5A\x1b[1;2R",
         {224, 71, 0, 59, 224, 134, 224, 141, 0, 86}},
        {"swallowed", "\x1b[200~P\x1b[201~\x1b[I\x1b[O\x1b[12;40R\x1b[99~", {80}},
        {"alt_letters_never_act",
         "\x1bx\x1bH\x1bP\x1b"
         "1\x1b"
         "0\x1b,",
         {0, 45, 0, 35, 0, 25, 0, 120, 0, 129, ','}},
        {"escapes", "\x1b\x1b\x1b\r\x1b[1\x1b[B", {27, 27, 27, 13, 224, 80}},
        {"lone_escape", "\x1b", {27}},
        // A stray prefix of a legacy mouse report or a Linux console F-key is
        // given up at the next control byte, as the Escape of an arrow.
        {"stray_prefixes_given_up",
         "\x1b[M\x1b[A\x1b[M \x1b[B\x1b[M +\x1b[C\x1b[M #\r\x1b[[\x1b[D",
         {224, 72, 224, 80, 224, 77, 13, 224, 75}},
        {"hangul_is_one_code", "가\r", {0xAC00, 13}},
        {"latin1_never_reads_as_a_prefix", "\xc3\xa0H", {0xFFFD, 72}},
        {"ctrl_space_is_ctrl_at", std::string("\0H", 2), {0, 3, 72}},
        {"four_byte_char_is_one_code", "\xF0\x9F\x82\xA1", {0x1F0A1}},
        {"broken_utf8_dropped",
         "\x80\xBF\r\xC0\xAF\xE0\x80\xAFH\xEA\xB0H\xED\xA0\x80\r\xFF\xF5\r",
         {13, 72, 72, 13, 13}},
        {"overlong_sequence_dropped", "\x1b[" + std::string(100, '1') + "A\r", {13}}}),
    [](const testing::TestParamInfo<Case>& param) { return param.param.name; });

TEST(KeyDecoder, LoneEscapeWaitsBeforeCounting) {
    KeyDecoder decoder;
    decoder.feed("\x1b", milliseconds{100});
    ASSERT_TRUE(decoder.deadline().has_value());
    EXPECT_EQ(*decoder.deadline(), milliseconds{150});
    decoder.tick(milliseconds{149});
    EXPECT_FALSE(decoder.hasInput());
    decoder.tick(milliseconds{150});
    EXPECT_EQ(drain(decoder), std::vector<int>{27});
    EXPECT_FALSE(decoder.deadline().has_value());
    decoder.feed("\x1b", milliseconds{200});
    decoder.finish();  // the end of input counts it at once
    EXPECT_EQ(drain(decoder), std::vector<int>{27});
}

// A slow link splits what the terminal sent; the late part is never played as
// keys of its own. A line feed, though, is the end of a CR LF only when it
// comes with it: Ctrl-J typed after Enter is a second Enter.
TEST(KeyDecoder, LateBytesStayWithTheirSequence) {
    struct Split {
        std::string first;
        std::string late;
        std::vector<int> keys;
        milliseconds pause{5000};
    };
    for (const Split& c : {Split{"\x1b[1;2", "A", {224, 72}}, Split{"\x1b[", "12~", {0, 60}},
                           Split{"\x1b", "[H", {27, 224, 71}}, Split{"\x1b", "OP", {27, 0, 59}},
                           Split{"\x1bO", "P", {0, 24}}, Split{"\x1b", "x", {27, 'x'}},
                           Split{"\xEA\xB0", "\x80", {0xAC00}}, Split{"\r", "\n", {13, 13}},
                           Split{"\r", "\n", {13}, milliseconds{49}},
                           Split{"\r", "\n", {13, 13}, milliseconds{50}}}) {
        KeyDecoder decoder;
        decoder.feed(c.first, milliseconds{0});
        decoder.tick(c.pause);
        decoder.feed(c.late, c.pause);
        EXPECT_EQ(drain(decoder), c.keys) << c.first << " | " << c.late;
    }
}

// In a CP949 or EUC-KR locale a character is two bytes; its second byte may be
// 'H', 'K', 'M' or 'P', yet it is one key.
TEST(KeyDecoder, DoubleByteCharacterIsOneKey) {
    for (const auto& [bytes, keys] : std::vector<std::pair<std::string, std::vector<int>>>{
             {"\xC2\x50\xB0\xA1\r", {0xC250, 0xB0A1, 13}},
             {"\xC2\rP", {13, 80}},
             {"\x80\xFF\x1b[A", {224, 72}}}) {
        KeyDecoder decoder(KeyDecoder::Encoding::DoubleByte);
        decoder.feed(bytes.substr(0, 1), milliseconds{0});
        decoder.feed(bytes.substr(1), milliseconds{900});
        EXPECT_EQ(drain(decoder), keys) << testing::PrintToString(bytes);
    }
}

// Mouse reports: the main button going down is a press at its cell (0-based);
// everything else a terminal reports of the mouse is swallowed whole, never
// a key, however it is cut or split. A sequence cut off by the end of input
// is dropped.
TEST(KeyDecoder, MainButtonDownIsAPressAndEveryOtherReportIsSwallowed) {
    struct Report {
        const char* name;
        std::string bytes;
        std::vector<Input> inputs;
    };
    const Input enter = Input::key(13);
    for (const Report& c : std::vector<Report>{
             {"sgr press and release",
              "\x1b[<0;12;5M\x1b[<0;12;5m\r",
              {Input::press(11, 4), enter}},
             {"sgr with shift, alt, ctrl",
              "\x1b[<4;1;1M\x1b[<8;2;1M\x1b[<16;3;1M",
              {Input::press(0, 0), Input::press(1, 0), Input::press(2, 0)}},
             {"sgr middle, right, motion",
              "\x1b[<1;5;5M\x1b[<2;5;5M\x1b[<32;5;5M\x1b[<35;6;5M",
              {}},
             {"sgr wheel and extra buttons", "\x1b[<64;5;5M\x1b[<65;5;5M\x1b[<128;5;5M", {}},
             {"sgr past column 223", "\x1b[<0;300;24M", {Input::press(299, 23)}},
             {"sgr huge coordinates",
              "\x1b[<0;99999999999999;99999999999999M",
              {Input::press((1 << 20) - 1, (1 << 20) - 1)}},
             {"sgr junk", "\x1b[<0;5M\x1b[<0;5;5;5M\x1b[<0;0;5M\x1b[<;;M", {}},
             {"legacy press and release",
              "\x1b[M +&\x1b[M#+&H",
              {Input::press(10, 5), Input::key(72)}},
             {"legacy motion and wheel", "\x1b[M@+&\x1b[M`+&", {}},
             {"legacy bytes are printable", "\x1b[M\xff\xff\xff\r", {enter}},
             {"cut off by a control byte", "\x1b[<0;12\r", {enter}}}) {
        KeyDecoder decoder;
        decoder.feed(c.bytes, milliseconds{0});
        decoder.finish();
        EXPECT_EQ(drainInputs(decoder), c.inputs) << c.name;
        // The same bytes one at a time, far apart, come out the same.
        KeyDecoder slow;
        milliseconds now{0};
        for (std::size_t i = 0; i < c.bytes.size(); ++i) {
            // Only what follows an Escape comes quickly, or it would stand alone.
            now += i > 0 && c.bytes[i - 1] == '\x1b' ? milliseconds{1} : milliseconds{1000};
            slow.tick(now);
            slow.feed(c.bytes.substr(i, 1), now);
        }
        slow.finish();
        EXPECT_EQ(drainInputs(slow), c.inputs) << c.name << ", split";
    }
    for (const char* cut : {"\x1b[1;", "\x1b[<0;12;"}) {  // at the end of input
        KeyDecoder decoder;
        decoder.feed(cut, milliseconds{0});
        decoder.finish();
        EXPECT_TRUE(drainInputs(decoder).empty()) << cut;
    }
}

}  // namespace
}  // namespace sol
