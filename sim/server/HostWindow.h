#pragma once
// The hidden top-level window of the server: it gives the harness a handle to ask the server to end
// (WM_CLOSE ends the message loop) and to find the server's process.
#include <windows.h>

#include "automation/UniqueResource.h"

namespace edgesim::server {

class HostWindow {
public:
    HostWindow();

    HWND handle() const noexcept { return window_.get(); }

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM w, LPARAM l);
    korvane::UniqueResource<HWND, &::DestroyWindow> window_;
};

}  // namespace edgesim::server
