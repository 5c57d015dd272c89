#pragma once

// A console that records what a whole session shows: before every key read
// it hands the picture to a frame sink, and it plays keys from a script that
// says which operation each key belongs to.

#include <functional>
#include <string>

#include "console/console.h"
#include "console/screen_buffer.h"

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
    // Called before each key read with the picture and whether the screen
    // was cleared since the last call.
    using FrameSink = std::function<void(const ScreenBuffer&, bool cleared)>;
    using KeySource = std::function<ScriptedKey()>;

    RecordingConsole(FrameSink sink, KeySource keys)
        : sink_(std::move(sink)), keys_(std::move(keys)) {}

    void hideCursor() override {}
    void gotoXY(int x, int y) override { picture_.moveTo(x, y); }
    void clearScreen() override {
        picture_.clear();
        cleared_ = true;
    }
    void write(std::string_view text) override { picture_.write(text); }
    Input readInput() override {
        sink_(picture_, cleared_);
        cleared_ = false;
        return Input::key(keys_().code);
    }

  private:
    FrameSink sink_;
    KeySource keys_;
    ScreenBuffer picture_;
    bool cleared_ = false;
};

}  // namespace sol::bench
