#pragma once

#include <string>

#include "console/port/screen_buffer.h"

namespace sol::test {

// The screen as text: one line per row, each cut after its last non-blank.
std::string screenText(const ScreenBuffer& screen);

// Whether `screen` reads as tests/golden/<name>; on a difference the message
// shows both. With SOL_UPDATE_GOLDEN set in the environment the file is
// written from the screen instead.
std::string goldenDifference(const ScreenBuffer& screen, const std::string& name);

}  // namespace sol::test

#define EXPECT_GOLDEN(screen, name) EXPECT_EQ(::sol::test::goldenDifference((screen), (name)), "")
