#pragma once

#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>

#include <string>

#include "console/frame_diff.h"
#include "console/platform_console.h"
#include "console/screen_buffer.h"
#include "console/windows/input_records.h"

namespace sol::win {

// The Windows console. Text is kept in a screen model first and reaches the
// console, as UTF-16 through its wide-character interface, before every key
// read, so the console's code page never matters. Where the console draws
// box glyphs, shapes and card symbols one column wide, each is followed by a
// fill, so every glyph stands at the column the layouts give it. When standard
// output is not a console, the text is written as it comes, in UTF-8. Keys
// and clicks are read as the console's input records.
class WindowsConsole final : public PlatformConsole {
  public:
    WindowsConsole();
    ~WindowsConsole() override;
    WindowsConsole(const WindowsConsole&) = delete;
    WindowsConsole& operator=(const WindowsConsole&) = delete;

    void hideCursor() override;
    void gotoXY(int x, int y) override;
    void clearScreen() override;
    void write(std::string_view text) override;
    Input readInput() override;
    void restore() override;

  private:
    // Brings the console up to the screen model.
    void flush();
    void probeGlyphWidth();
    void writeWide(const std::u16string& text);
    // Opens the console's input and sets its modes for the game.
    void takeInput();

    HANDLE out_;
    HANDLE in_ = INVALID_HANDLE_VALUE;
    bool inModeSaved_ = false;
    DWORD savedInMode_ = 0;
    RecordDecoder records_;
    bool isConsole_ = false;
    bool cursorSaved_ = false;
    CONSOLE_CURSOR_INFO savedCursor_{};
    bool active_ = true;  // the console is ours until restore()
    bool probed_ = false;
    // A Korean console, the one the layouts were drawn for, until the probe
    // says otherwise.
    GlyphWidth glyphWidth_ = GlyphWidth::Wide;
    ScreenBuffer model_;
    FrameDiff diff_{GlyphWidth::Wide};  // what the console shows
    bool dirty_ = false;
};

}  // namespace sol::win
