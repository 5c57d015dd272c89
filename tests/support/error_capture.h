#pragma once

#include <string>
#include <string_view>

#include "console/port/error_output.h"

namespace sol::test {

// Every error line goes into text() while this object lives.
class ScopedErrorCapture {
  public:
    ScopedErrorCapture()
        : previous_(redirectErrorLines([this](std::string_view line) { text_ += line; })) {}
    ~ScopedErrorCapture() { redirectErrorLines(std::move(previous_)); }
    ScopedErrorCapture(const ScopedErrorCapture&) = delete;
    ScopedErrorCapture& operator=(const ScopedErrorCapture&) = delete;

    const std::string& text() const { return text_; }

  private:
    std::string text_;
    ErrorSink previous_;
};

}  // namespace sol::test
