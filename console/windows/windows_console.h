#pragma once

#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>

#include <string>

#include "console/port/platform_console.h"
#include "console/terminal/frame_diff.h"
#include "console/windows/input_records.h"

namespace sol::win {

// The Windows console. The picture reaches the console before every key
// read as the runs of cells that changed, in UTF-16 through its wide-
// character interface, so the console's code page never matters. Where the
// console draws box glyphs, shapes and card symbols one column wide, each is
// followed by a fill, so every glyph stands at the column the layouts give
// it. The first picture clears the whole buffer first, as "cls" does, and
// scrolls the window to its top. Keys and clicks are read as the console's
// input records. Standard output must be a console, as a terminal must be
// elsewhere: openPlatformConsole refuses anything else.
class WindowsConsole final : public PlatformConsole {
  public:
    WindowsConsole();
    ~WindowsConsole() override;
    WindowsConsole(const WindowsConsole&) = delete;
    WindowsConsole& operator=(const WindowsConsole&) = delete;

    Input readInput() override;
    void restore() override;

  private:
    // Brings the console up to the picture.
    void flush();
    void clearBuffer();
    void probeGlyphWidth();
    void writeWide(const std::u16string& text);
    // Opens the console's input and sets its modes for the game.
    void takeInput();

    HANDLE out_;
    HANDLE in_ = INVALID_HANDLE_VALUE;
    bool inModeSaved_ = false;
    DWORD savedInMode_ = 0;
    RecordDecoder records_;
    bool cursorSaved_ = false;
    CONSOLE_CURSOR_INFO savedCursor_{};
    bool active_ = true;  // the console is ours until restore()
    bool taken_ = false;  // cleared and probed, at the first picture
    bool cursorShownHidden_ = false;
    // What the console shows; a Korean console, the one the layouts were
    // drawn for, until the probe says otherwise.
    FrameDiff diff_{GlyphWidth::Wide};
};

}  // namespace sol::win
