#include "console/windows/windows_console.h"

#include <conio.h>

#include <csignal>
#include <cstdint>
#include <cstdlib>

#include "console/error_output.h"
#include "console/exit_request.h"
#include "console/windows/cell_runs.h"
#include "console/windows/glyph_probe.h"

namespace sol {

namespace {

// What Ctrl+C, Ctrl+Break or closing the window must put back: the console ends the
// process without unwinding, so restore() would never run.
HANDLE gCtrlOut = nullptr;
CONSOLE_CURSOR_INFO gCtrlCursor{};

BOOL WINAPI restoreCursorOnCtrl(DWORD event) {
    SetConsoleCursorInfo(gCtrlOut, &gCtrlCursor);
    if (event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT) {
        // Ended here with the status Windows gives an interrupted program:
        // Wine's default handling would end it with 0, the status of a quit.
        ExitProcess(STATUS_CONTROL_C_EXIT);
    }
    return FALSE;  // closing the window: the console ends the process
}

bool isConsoleHandle(HANDLE handle) {
    DWORD mode = 0;
    return handle != INVALID_HANDLE_VALUE && handle != nullptr && GetConsoleMode(handle, &mode);
}

COORD cell(int x, int y) {
    return COORD{static_cast<SHORT>(x), static_cast<SHORT>(y)};
}

}  // namespace

namespace win {

WindowsConsole::WindowsConsole()
    : out_(GetStdHandle(STD_OUTPUT_HANDLE)), isConsole_(isConsoleHandle(out_)) {
    if (isConsole_ && GetConsoleCursorInfo(out_, &savedCursor_)) {
        cursorSaved_ = true;
        gCtrlOut = out_;
        gCtrlCursor = savedCursor_;
        SetConsoleCtrlHandler(restoreCursorOnCtrl, TRUE);
    }
    // A line on a console standard error would land in the middle of the
    // picture and be painted over by the next flush; it waits for restore().
    if (isConsoleHandle(GetStdHandle(STD_ERROR_HANDLE))) {
        holdErrorLines();
    }
}

WindowsConsole::~WindowsConsole() {
    restore();
    if (cursorSaved_) {
        SetConsoleCtrlHandler(restoreCursorOnCtrl, FALSE);
    }
}

void WindowsConsole::hideCursor() {
    if (!isConsole_) {
        return;
    }
    CONSOLE_CURSOR_INFO info{};
    if (GetConsoleCursorInfo(out_, &info)) {
        info.bVisible = FALSE;  // the size stays as it was
        SetConsoleCursorInfo(out_, &info);
    }
}

void WindowsConsole::gotoXY(int x, int y) {
    // The console's coordinates are 16-bit.
    model_.moveTo(static_cast<std::int16_t>(x), static_cast<std::int16_t>(y));
}

void WindowsConsole::clearScreen() {
    model_.clear();
    diff_.reset();
    dirty_ = false;
    if (!isConsole_) {
        return;
    }
    // What "cls" does: every cell of the buffer blank in the current colours
    // and the cursor home, which also scrolls the window back to the top.
    CONSOLE_SCREEN_BUFFER_INFO info{};
    if (GetConsoleScreenBufferInfo(out_, &info)) {
        const DWORD cells = static_cast<DWORD>(info.dwSize.X) * static_cast<DWORD>(info.dwSize.Y);
        DWORD done = 0;
        FillConsoleOutputCharacterW(out_, L' ', cells, cell(0, 0), &done);
        FillConsoleOutputAttribute(out_, info.wAttributes, cells, cell(0, 0), &done);
    }
    SetConsoleCursorPosition(out_, cell(0, 0));
}

void WindowsConsole::write(std::string_view text) {
    if (!isConsole_) {
        DWORD done = 0;
        WriteFile(out_, text.data(), static_cast<DWORD>(text.size()), &done, nullptr);
        return;
    }
    model_.write(text);
    dirty_ = true;
}

Input WindowsConsole::readInput() {
    flush();
    // _getch reads the console itself, even with standard input redirected,
    // and gives a two-code key as 0 or 224 first and its own code next.
    const int key = _getch();
    if (key < 0) {
        throw ExitRequest{1};  // no console to read from
    }
    return Input::key(key);
}

void WindowsConsole::restore() {
    if (!active_) {
        return;
    }
    active_ = false;
    flush();
    if (cursorSaved_) {
        SetConsoleCursorInfo(out_, &savedCursor_);
    }
    releaseErrorLines();
}

void WindowsConsole::writeWide(const std::u16string& text) {
    const std::wstring wide(text.begin(), text.end());
    DWORD done = 0;
    WriteConsoleW(out_, wide.data(), static_cast<DWORD>(wide.size()), &done, nullptr);
}

void WindowsConsole::probeGlyphWidth() {
    probed_ = true;
    CONSOLE_SCREEN_BUFFER_INFO before{};
    if (!GetConsoleScreenBufferInfo(out_, &before) || before.dwSize.X < 3) {
        return;
    }
    // Written where the cursor stands and the two cells put back after, so
    // nothing on the screen is lost.
    const COORD at =
        cell(probeColumn(before.dwCursorPosition.X, before.dwSize.X), before.dwCursorPosition.Y);
    CHAR_INFO saved[2]{};
    SMALL_RECT area{at.X, at.Y, static_cast<SHORT>(at.X + 1), at.Y};
    const bool haveSaved = ReadConsoleOutputW(out_, saved, cell(2, 1), cell(0, 0), &area);

    SetConsoleCursorPosition(out_, at);
    writeWide(u"━");
    CONSOLE_SCREEN_BUFFER_INFO after{};
    if (GetConsoleScreenBufferInfo(out_, &after)) {
        glyphWidth_ =
            glyphWidthFromAdvance(at.X, at.Y, after.dwCursorPosition.X, after.dwCursorPosition.Y)
                .value_or(glyphWidth_);
    }

    if (haveSaved) {
        area = SMALL_RECT{at.X, at.Y, static_cast<SHORT>(at.X + 1), at.Y};
        WriteConsoleOutputW(out_, saved, cell(2, 1), cell(0, 0), &area);
    } else {
        DWORD done = 0;
        FillConsoleOutputCharacterW(out_, L' ', 2, at, &done);
    }
    SetConsoleCursorPosition(out_, before.dwCursorPosition);
}

void WindowsConsole::flush() {
    if (!isConsole_ || !dirty_) {
        return;
    }
    dirty_ = false;
    if (!probed_) {
        probeGlyphWidth();
        diff_.setGlyphWidth(glyphWidth_);
    }
    for (const CellRun& run : changedRuns(diff_, model_)) {
        SetConsoleCursorPosition(out_, cell(run.x, run.y));
        writeWide(run.text);
    }
    // Where the next text would go, so that a cursor shown again at the end
    // stands where the program left it.
    SetConsoleCursorPosition(out_, cell(model_.cursorX(), model_.cursorY()));
}

}  // namespace win

std::unique_ptr<PlatformConsole> openPlatformConsole() {
    return std::make_unique<win::WindowsConsole>();
}

void endBySignal(int signal) {
    std::signal(signal, SIG_DFL);
    std::raise(signal);
    std::_Exit(128 + signal);
}

}  // namespace sol
