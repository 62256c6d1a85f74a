#include "batch/win32/Win32Console.h"

#include "automation/TextConvert.h"
#include "batch/TextColumns.h"

namespace korvane {

Win32Console::Win32Console() : out_(GetStdHandle(STD_OUTPUT_HANDLE)) {
    DWORD mode = 0;
    console_ = out_ != nullptr && out_ != INVALID_HANDLE_VALUE && GetConsoleMode(out_, &mode) != 0;
}

void Win32Console::write(const std::wstring& text) {
    if (out_ == nullptr || out_ == INVALID_HANDLE_VALUE) return;
    if (console_) {
        DWORD written = 0;
        WriteConsoleW(out_, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
        return;
    }
    const std::string bytes = toUtf8(text);
    DWORD written = 0;
    WriteFile(out_, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

size_t Win32Console::columns() const {
    if (!console_) return 0;
    // One column short of the width, so that the line never wraps and \r finds its start.
    CONSOLE_SCREEN_BUFFER_INFO info{};
    if (GetConsoleScreenBufferInfo(out_, &info) && info.dwSize.X > 1) return static_cast<size_t>(info.dwSize.X) - 1;
    return 79;
}

void Win32Console::progress(const std::wstring& text) {
    if (!console_) {
        write(text + L"\r\n");
        return;
    }
    // The line was made to fit; the console may have narrowed since.
    const size_t width = columns();
    std::wstring shown = columnsOf(text) <= width ? text : leadingColumns(text, width);
    const size_t length = columnsOf(shown);
    if (length < shown_) shown.append(shown_ - length, L' ');
    write(L"\r" + shown);
    shown_ = length;
}

void Win32Console::line(const std::wstring& text) {
    if (console_ && shown_ > 0) {
        write(L"\r\n");
        shown_ = 0;
    }
    write(text + L"\r\n");
}

}  // namespace korvane
