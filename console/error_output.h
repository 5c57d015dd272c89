#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace sol {

// The one way to the standard error stream. While a full-screen terminal
// session holds the screen, lines are kept and written once the terminal has
// been given back, so they neither garble the picture nor vanish with it.
void writeErrorLine(std::string_view line);

// Hold lines from now on, or write the held ones and stop holding.
void holdErrorLines();
void releaseErrorLines();

// For tests: every line goes to `sink` while this object lives.
class ScopedErrorCapture {
  public:
    ScopedErrorCapture();
    ~ScopedErrorCapture();
    ScopedErrorCapture(const ScopedErrorCapture&) = delete;
    ScopedErrorCapture& operator=(const ScopedErrorCapture&) = delete;

    const std::string& text() const { return text_; }

  private:
    std::string text_;
    std::function<void(std::string_view)> previous_;
};

}  // namespace sol
