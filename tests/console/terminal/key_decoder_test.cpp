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
        {"home_forms", "\x1b[H\x1bOH\x1b[1~\x1b[7~", {224, 71, 224, 71, 224, 71, 224, 71}},
        {"end_forms", "\x1b[F\x1bOF\x1b[4~\x1b[8~", {224, 79, 224, 79, 224, 79, 224, 79}},
        {"insert_delete", "\x1b[2~\x1b[3~", {224, 82, 224, 83}},
        {"page_keys", "\x1b[5~\x1b[6~", {224, 73, 224, 81}},
        {"f1_to_f4", "\x1bOP\x1bOQ\x1bOR\x1bOS", {0, 59, 0, 60, 0, 61, 0, 62}},
        {"f5_to_f10", "\x1b[15~\x1b[17~\x1b[21~", {0, 63, 0, 64, 0, 68}},
        {"f11_f12", "\x1b[23~\x1b[24~", {224, 133, 224, 134}},
        {"linux_console_f1", "\x1b[[A", {0, 59}},
        {"arrow_with_explicit_one", "\x1b[1A", {224, 72}},
        {"shift_arrows_are_arrows", "\x1b[1;2A\x1b[1;2D\x1b[b", {224, 72, 224, 75, 224, 80}},
        {"ctrl_arrows",
         "\x1b[1;5A\x1b[1;5B\x1b[1;5D\x1b[1;6C\x1bOa",
         {224, 141, 224, 145, 224, 115, 224, 116, 224, 141}},
        {"alt_arrows", "\x1b[1;3A\x1b[1;3C", {0, 152, 0, 157}},
        {"modified_tilde_is_the_key", "\x1b[3;2~H", {224, 83, 72}},
        {"shift_function_keys",
         "\x1b[1;2P\x1b[1;2R\x1b[15;2~\x1b[21;2~\x1b[25~\x1b[11$",
         {0, 84, 0, 86, 0, 88, 0, 93, 0, 86, 0, 84}},
        {"ctrl_alt_function_keys", "\x1b[1;5P\x1b[17;3~\x1b[23;2~", {0, 94, 0, 109, 224, 135}},
        {"shift_tab", "\x1b[Z", {0, 15}},
        {"keypad_centre", "\x1b[E", {0, 76}},
        {"application_keypad", "\x1bOp\x1bOk", {'0', '+'}},
        {"paste_markers_swallowed", "\x1b[200~P\x1b[201~", {80}},
        {"focus_reports_swallowed", "\x1b[I\x1b[O", {}},
        {"unasked_cursor_report_swallowed", "\x1b[12;40R", {}},
        {"unknown_tilde_swallowed", "\x1b[99~", {}},
        {"alt_letters_never_act",
         "\x1bx\x1bH\x1bP\x1b"
         "1\x1b"
         "0\x1b,",
         {0, 45, 0, 35, 0, 25, 0, 120, 0, 129, ','}},
        {"lone_escape", "\x1b", {27}},
        {"double_escape", "\x1b\x1b", {27, 27}},
        {"escape_then_enter", "\x1b\r", {27, 13}},
        {"escape_restarts_sequence", "\x1b[1\x1b[B", {224, 80}},
        // A stray prefix of a legacy mouse report or a Linux console F-key is
        // given up at the next control byte, as the Escape of an arrow.
        {"arrow_after_stray_mouse_prefix", "\x1b[M\x1b[A", {224, 72}},
        {"arrow_after_mouse_prefix_and_a_byte", "\x1b[M \x1b[B", {224, 80}},
        {"arrow_after_mouse_prefix_and_two_bytes", "\x1b[M +\x1b[C", {224, 77}},
        {"enter_after_stray_mouse_prefix", "\x1b[M #\r", {13}},
        {"arrow_after_stray_linux_prefix", "\x1b[[\x1b[D", {224, 75}},
        {"hangul_is_one_code", "가\r", {0xAC00, 13}},
        {"latin1_never_reads_as_a_prefix", "\xc3\xa0H", {0xFFFD, 72}},
        {"ctrl_space_is_ctrl_at", std::string("\0H", 2), {0, 3, 72}},
        {"four_byte_char_is_one_code", "\xF0\x9F\x82\xA1", {0x1F0A1}},
        {"stray_continuation_dropped", "\x80\xBF\r", {13}},
        {"overlong_dropped", "\xC0\xAF\xE0\x80\xAFH", {72}},
        {"cut_off_char_dropped", "\xEA\xB0H", {72}},
        {"surrogate_dropped", "\xED\xA0\x80\r", {13}},
        {"invalid_lead_dropped", "\xFF\xF5\r", {13}},
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

// A pending escape counts at the end of input (the terminal console's piped
// input test); a sequence cut off there is dropped.
TEST(KeyDecoder, FinishDropsACutSequence) {
    KeyDecoder cut;
    cut.feed("\x1b[1;", milliseconds{0});
    cut.finish();
    EXPECT_TRUE(drain(cut).empty());
}

// Mouse reports: the main button going down is a press at its cell (0-based);
// everything else a terminal reports of the mouse is swallowed whole, never
// a key, however it is cut or split.
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
    KeyDecoder cut;  // at the end of input
    cut.feed("\x1b[<0;12;", milliseconds{0});
    cut.finish();
    EXPECT_TRUE(drainInputs(cut).empty());
}

}  // namespace
}  // namespace sol
