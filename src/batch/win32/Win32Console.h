#pragma once
// The batch's output on Windows: on a console in UTF-16 through WriteConsoleW, the progress line
// rewritten in place; redirected to a file or pipe, every line plain in UTF-8 with CR LF.
#include <windows.h>

#include <string>

#include "batch/BatchConsole.h"

namespace korvane {

class Win32Console : public BatchConsole {
public:
    Win32Console();
    void progress(const std::wstring& line) override;
    void line(const std::wstring& text) override;
    size_t columns() const override;

private:
    void write(const std::wstring& text);
    HANDLE out_;
    bool console_ = false;
    size_t shown_ = 0;  // columns of the progress line on the console now; 0 when none
};

}  // namespace korvane
