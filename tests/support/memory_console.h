#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "console/port/console.h"
#include "console/port/exit_request.h"

namespace sol {

// A console in memory for tests: the picture is the screen, and scripted keys
// and presses are played back. When the script runs out, reading a key ends
// the process with status 1, as the end of standard input does in the
// terminal.
class MemoryConsole final : public Console {
  public:
    Input readInput() override {
        if (beforeRead_) {
            beforeRead_(*this);
        }
        if (inputs_.empty() && source_) {
            if (const std::optional<int> key = source_()) {
                inputs_.push_back(Input::key(*key));
            }
        }
        if (inputs_.empty()) {
            throw ExitRequest{1};
        }
        const Input input = inputs_.front();
        inputs_.pop_front();
        return input;
    }

    // Keys to deliver, in order.
    void pushKeys(const std::vector<int>& keys) {
        for (const int key : keys) {
            inputs_.push_back(Input::key(key));
        }
    }
    // A press of the main button, or a tap, at (x, y).
    void pushPress(int x, int y) { inputs_.push_back(Input::press(x, y)); }
    // Asked for a key once the script is empty; no value ends the input.
    void setKeySource(std::function<std::optional<int>()> source) { source_ = std::move(source); }
    // Called with this console just before every key read, to check the
    // screen as the player sees it while the program waits.
    void setBeforeRead(std::function<void(const MemoryConsole&)> hook) {
        beforeRead_ = std::move(hook);
    }

    const ScreenBuffer& screen() const { return picture(); }
    std::string text(int x, int y, int columns) const { return picture().text(x, y, columns); }
    std::size_t keysLeft() const { return inputs_.size(); }

    void say(std::string_view sentence) override { spoken_.emplace_back(sentence); }
    // Every sentence said so far, taken once.
    std::vector<std::string> takeSpoken() { return std::exchange(spoken_, {}); }

  private:
    std::deque<Input> inputs_;
    std::function<std::optional<int>()> source_;
    std::function<void(const MemoryConsole&)> beforeRead_;
    std::vector<std::string> spoken_;
};

}  // namespace sol
