#pragma once

// Two consoles that count what a terminal would be sent: one on the real
// rendering path (screen model, then only the difference before each key
// read), and a plain write-through one that emits every call as it is made,
// for comparison. Both play back keys from a function.

#include <functional>
#include <string>
#include <string_view>

#include "console/console.h"
#include "console/frame_renderer.h"
#include "console/screen_buffer.h"
#include "console/text_width.h"

namespace sol::bench {

using KeySource = std::function<int()>;

// The bytes a console has sent since they were last taken.
class SentBytes {
  public:
    std::size_t takeSent() {
        const std::size_t n = sent_.size();
        sent_.clear();
        return n;
    }

  protected:
    std::string sent_;
};

class RenderedConsole final : public Console, public SentBytes {
  public:
    explicit RenderedConsole(KeySource keys = {}) : keys_(std::move(keys)) {}

    void hideCursor() override { cursorHidden_ = true; }
    void gotoXY(int x, int y) override { picture_.moveTo(x, y); }
    void clearScreen() override { picture_.clear(); }
    void write(std::string_view text) override { picture_.write(text); }
    int readKey() override {
        present();
        return keys_();
    }

    // What one frame sends now.
    void present() { renderer_.present(picture_, cursorHidden_, sent_); }
    // The bytes of a whole repaint of the current picture.
    std::size_t fullRepaintBytes() {
        FrameRenderer fresh;
        std::string out;
        fresh.present(picture_, cursorHidden_, out);
        return out.size();
    }

  private:
    KeySource keys_;
    ScreenBuffer picture_;
    FrameRenderer renderer_;
    bool cursorHidden_ = false;
};

class WriteThroughConsole final : public Console, public SentBytes {
  public:
    explicit WriteThroughConsole(KeySource keys = {}) : keys_(std::move(keys)) {}

    void hideCursor() override { sent_ += "\x1b[?25l"; }
    void gotoXY(int x, int y) override {
        sent_ += "\x1b[" + std::to_string(y + 1) + ";" + std::to_string(x + 1) + "H";
    }
    void clearScreen() override { sent_ += "\x1b[H\x1b[2J"; }
    void write(std::string_view text) override {
        // The same second-column fill as the real path, so that both draw
        // the same picture on a narrow terminal.
        for (std::size_t pos = 0; pos < text.size();) {
            const char32_t ch = decodeUtf8(text, pos);
            if (ch == U'\n') {
                sent_ += "\r\n";
                continue;
            }
            appendUtf8(sent_, ch);
            if (columnWidth(ch) == 2 && !drawnWideEverywhere(ch)) {
                sent_ += narrowFill(ch);
            }
        }
    }
    int readKey() override { return keys_(); }
    // Everything went out as it was written.
    void present() {}

  private:
    KeySource keys_;
};

}  // namespace sol::bench
