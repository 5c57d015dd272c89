#pragma once

#include <string_view>

namespace sol {

// What the program sets when it takes a terminal, and undoes on every way
// out: the alternate screen, and reports of mouse presses (xterm's button
// reporting, in the SGR encoding, which has no column limit).
inline constexpr std::string_view kReportPresses = "\x1b[?1000h\x1b[?1006h";
inline constexpr std::string_view kTakeTerminal = "\x1b[?1049h\x1b[?1000h\x1b[?1006h";
inline constexpr std::string_view kGiveBackTerminal = "\x1b[?1006l\x1b[?1000l\x1b[?25h\x1b[?1049l";

}  // namespace sol
