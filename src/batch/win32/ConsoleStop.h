#pragma once
// Ctrl+C, Ctrl+Break and the closing of the console, turned into the batch's request to stop after
// (or abandon before saving) the current drawing. One per process: the console's handler routine
// is a plain function, so it reaches the installed instance through a static pointer.
#include <windows.h>

#include <atomic>

#include "processes/win32/UniqueHandle.h"

namespace korvane {

class ConsoleStop {
public:
    // How long a closing console keeps the process alive for the batch to write its report. Windows
    // ends the process when the handler returns, and at the latest after about 5 s.
    static constexpr DWORD CloseGrace = 4500;

    ConsoleStop();   // installs the handler routine
    ~ConsoleStop();  // removes it
    ConsoleStop(const ConsoleStop&) = delete;
    ConsoleStop& operator=(const ConsoleStop&) = delete;

    bool requested() const noexcept { return requested_.load(); }
    // The batch has written its report: a closing console may let the process go now.
    void batchEnded() noexcept;

    // The routine SetConsoleCtrlHandler calls (on a thread of its own).
    static BOOL WINAPI handler(DWORD event) noexcept;

private:
    std::atomic<bool> requested_{false};
    UniqueHandle ended_;
};

}  // namespace korvane
