#pragma once
// The hidden top-level window of the server: it gives the harness a handle to ask the server to end
// (WM_CLOSE ends the message loop) and to find the server's process.
#include <windows.h>

namespace edgesim::server {

class HostWindow {
public:
    HostWindow();
    ~HostWindow();
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;

    HWND handle() const noexcept { return window_; }

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM w, LPARAM l);
    HWND window_ = nullptr;
};

}  // namespace edgesim::server
