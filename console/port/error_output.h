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

// Every line goes to `sink` instead, until it is replaced; an empty sink
// sends lines to the stream again. Returns the sink it replaces.
using ErrorSink = std::function<void(std::string_view)>;
ErrorSink redirectErrorLines(ErrorSink sink);

}  // namespace sol
