#include "console/windows/windows_console.h"

#include <csignal>
#include <cstdlib>
#include <stdexcept>

#include "console/port/error_output.h"
#include "console/port/exit_request.h"
#include "console/windows/cell_runs.h"
#include "console/windows/glyph_probe.h"
#include "console/windows/input_records.h"

namespace sol {

namespace {

// What Ctrl+C, Ctrl+Break or closing the window must put back, the cursor and
// the input modes: the console ends the process without unwinding, so
// restore() would never run.
HANDLE gCtrlOut = nullptr;
CONSOLE_CURSOR_INFO gCtrlCursor{};
HANDLE gCtrlIn = nullptr;
DWORD gCtrlInMode = 0;

BOOL WINAPI restoreOnCtrl(DWORD event) {
    if (gCtrlOut != nullptr) {
        SetConsoleCursorInfo(gCtrlOut, &gCtrlCursor);
    }
    if (gCtrlIn != nullptr) {
        SetConsoleMode(gCtrlIn, gCtrlInMode);
    }
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

// The character of a key record in the console's input code page, as the
// original key read gave it.
std::string typedText(const KEY_EVENT_RECORD& key) {
    const wchar_t ch = key.uChar.UnicodeChar;
    if (ch == 0) {
        return {};
    }
    char bytes[8];
    const int n =
        WideCharToMultiByte(GetConsoleCP(), 0, &ch, 1, bytes, sizeof bytes, nullptr, nullptr);
    return n > 0 ? std::string(bytes, static_cast<std::size_t>(n)) : std::string(1, '?');
}

win::KeyRecord keyRecord(const KEY_EVENT_RECORD& key) {
    const DWORD state = key.dwControlKeyState;
    win::KeyRecord record;
    record.down = key.bKeyDown != FALSE;
    record.repeat = key.wRepeatCount == 0 ? 1 : key.wRepeatCount;
    record.scanCode = key.wVirtualScanCode;
    record.enhanced = (state & ENHANCED_KEY) != 0;
    record.shift = (state & SHIFT_PRESSED) != 0;
    record.ctrl = (state & (LEFT_CTRL_PRESSED | RIGHT_CTRL_PRESSED)) != 0;
    record.alt = (state & (LEFT_ALT_PRESSED | RIGHT_ALT_PRESSED)) != 0;
    record.text = typedText(key);
    return record;
}

win::MouseRecord mouseRecord(const MOUSE_EVENT_RECORD& mouse) {
    return win::MouseRecord{mouse.dwMousePosition.X, mouse.dwMousePosition.Y,
                            (mouse.dwButtonState & FROM_LEFT_1ST_BUTTON_PRESSED) != 0,
                            mouse.dwEventFlags != 0};
}

}  // namespace

namespace win {

WindowsConsole::WindowsConsole() : out_(GetStdHandle(STD_OUTPUT_HANDLE)) {
    if (GetConsoleCursorInfo(out_, &savedCursor_)) {
        cursorSaved_ = true;
        gCtrlOut = out_;
        gCtrlCursor = savedCursor_;
    }
    takeInput();
    if (cursorSaved_ || inModeSaved_) {
        SetConsoleCtrlHandler(restoreOnCtrl, TRUE);
    }
    // A line on a console standard error would land in the middle of the
    // picture and be painted over by the next flush; it waits for restore().
    if (isConsoleHandle(GetStdHandle(STD_ERROR_HANDLE))) {
        holdErrorLines();
    }
}

WindowsConsole::~WindowsConsole() {
    restore();
    if (cursorSaved_ || inModeSaved_) {
        SetConsoleCtrlHandler(restoreOnCtrl, FALSE);
    }
    if (in_ != INVALID_HANDLE_VALUE) {
        CloseHandle(in_);
    }
}

void WindowsConsole::takeInput() {
    // The console's own input, even with standard input redirected, as the
    // original key read had it.
    in_ = CreateFileW(L"CONIN$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                      nullptr, OPEN_EXISTING, 0, nullptr);
    if (in_ == INVALID_HANDLE_VALUE || !GetConsoleMode(in_, &savedInMode_)) {
        return;
    }
    inModeSaved_ = true;
    gCtrlIn = in_;
    gCtrlInMode = savedInMode_;
    // Clicks come as records; quick edit would take them for selecting text.
    // Ctrl+C stays a signal; keys come one at a time without echo.
    const DWORD mode =
        (savedInMode_ | ENABLE_MOUSE_INPUT | ENABLE_EXTENDED_FLAGS | ENABLE_PROCESSED_INPUT) &
        ~static_cast<DWORD>(ENABLE_QUICK_EDIT_MODE | ENABLE_LINE_INPUT | ENABLE_ECHO_INPUT |
                            ENABLE_VIRTUAL_TERMINAL_INPUT);
    SetConsoleMode(in_, mode);
}

void WindowsConsole::clearBuffer() {
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

Input WindowsConsole::readInput() {
    flush();
    while (!records_.hasInput()) {
        INPUT_RECORD record{};
        DWORD read = 0;
        if (in_ == INVALID_HANDLE_VALUE || !ReadConsoleInputW(in_, &record, 1, &read)) {
            throw ExitRequest{1};  // no console to read from
        }
        if (read == 1 && record.EventType == KEY_EVENT) {
            records_.add(keyRecord(record.Event.KeyEvent));
        } else if (read == 1 && record.EventType == MOUSE_EVENT) {
            records_.add(mouseRecord(record.Event.MouseEvent));
        }
    }
    return records_.next();
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
    if (inModeSaved_) {
        SetConsoleMode(in_, savedInMode_);
    }
    releaseErrorLines();
}

void WindowsConsole::writeWide(const std::u16string& text) {
    const std::wstring wide(text.begin(), text.end());
    DWORD done = 0;
    WriteConsoleW(out_, wide.data(), static_cast<DWORD>(wide.size()), &done, nullptr);
}

void WindowsConsole::probeGlyphWidth() {
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
        if (const auto width = glyphWidthFromAdvance(at.X, at.Y, after.dwCursorPosition.X,
                                                     after.dwCursorPosition.Y)) {
            diff_.setGlyphWidth(*width);
        }
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
    const ScreenBuffer::Changes changes = takeChanges();
    if (!taken_) {
        // The probe writes where the cursor stood before anything is cleared.
        taken_ = true;
        probeGlyphWidth();
    }
    if (changes.cleared) {
        // The console's buffer is cleared whenever the picture is, as "cls"
        // did, where a terminal's is only written over: consoles lay wide
        // characters out in their buffers in ways of their own (Wine's
        // differs from Windows'), and each clear puts right what the diff
        // cannot know of.
        clearBuffer();
        diff_.reset();
    }
    if (cursorHidden() && !cursorShownHidden_) {
        cursorShownHidden_ = true;
        CONSOLE_CURSOR_INFO info{};
        if (GetConsoleCursorInfo(out_, &info)) {
            info.bVisible = FALSE;  // the size stays as it was
            SetConsoleCursorInfo(out_, &info);
        }
    }
    const std::vector<CellRun> runs = changedRuns(diff_, picture(), changes.rows);
    if (runs.empty()) {
        return;
    }
    for (const CellRun& run : runs) {
        SetConsoleCursorPosition(out_, cell(run.x, run.y));
        writeWide(run.text);
    }
    // Where the next text would go, so that a cursor shown again at the end
    // stands where the program left it.
    SetConsoleCursorPosition(out_, cell(picture().cursorX(), picture().cursorY()));
}

}  // namespace win

std::unique_ptr<PlatformConsole> openPlatformConsole() {
    // Redirected, there is no screen to show the picture on; as a program
    // refuses a standard output that is no terminal elsewhere.
    if (!isConsoleHandle(GetStdHandle(STD_OUTPUT_HANDLE))) {
        throw std::runtime_error("표준 출력이 콘솔이 아닙니다 (standard output is not a console)");
    }
    return std::make_unique<win::WindowsConsole>();
}

void endBySignal(int signal) {
    std::signal(signal, SIG_DFL);
    std::raise(signal);
    std::_Exit(128 + signal);
}

}  // namespace sol
