#include "batch/win32/Win32Console.h"

#include "automation/TextConvert.h"

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

void Win32Console::progress(const std::wstring& text) {
    if (!console_) {
        write(text + L"\r\n");
        return;
    }
    // The line is kept below the console's width, so that it never wraps and \r finds its start.
    CONSOLE_SCREEN_BUFFER_INFO info{};
    size_t width = 80;
    if (GetConsoleScreenBufferInfo(out_, &info) && info.dwSize.X > 1) width = static_cast<size_t>(info.dwSize.X);
    std::wstring shown = text.size() < width ? text : text.substr(0, width - 1);
    const size_t length = shown.size();
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
