#pragma once

// A console that records what a whole session shows: before every key read
// it hands the picture to a frame sink, and it plays keys from a script that
// says which operation each key belongs to.

#include <functional>
#include <string>

#include "console/port/console.h"

namespace sol::bench {

enum class Op { Start, MarkerMove, Rules, Menu, GameStart, Lay, Refused, Draw, Cancelled, Banner };

// One key code and the operation whose keystroke it belongs to; `first` is
// set on the first code of a keystroke (an arrow gives two codes).
struct ScriptedKey {
    int code;
    Op op;
    bool first;
};

class RecordingConsole final : public Console {
  public:
    // Called before each key read with the picture and what changed since
    // the last call.
    using FrameSink = std::function<void(const ScreenBuffer&, ScreenBuffer::Changes)>;
    using KeySource = std::function<ScriptedKey()>;

    RecordingConsole(FrameSink sink, KeySource keys)
        : sink_(std::move(sink)), keys_(std::move(keys)) {}

    Input readInput() override {
        sink_(picture(), takeChanges());
        return Input::key(keys_().code);
    }

  private:
    FrameSink sink_;
    KeySource keys_;
};

}  // namespace sol::bench
