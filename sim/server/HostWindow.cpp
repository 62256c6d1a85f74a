#include "server/HostWindow.h"

#include <string>

#include "automation/win32/ComErrors.h"
#include "server/EdgeSimClass.h"

namespace edgesim::server {

HostWindow::HostWindow() {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSW wc{};
    wc.lpfnWndProc = &HostWindow::procedure;
    wc.hInstance = instance;
    wc.lpszClassName = kHostWindowClass;
    if (!RegisterClassW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        korvane::com::raiseHResult(HRESULT_FROM_WIN32(GetLastError()));
    std::wstring title = L"EdgeSim " + std::to_wstring(GetCurrentProcessId());
    window_.reset(CreateWindowExW(0, kHostWindowClass, title.c_str(), WS_OVERLAPPED, 0, 0, 0, 0, nullptr, nullptr,
                                  instance, nullptr));
    if (!window_) korvane::com::raiseHResult(HRESULT_FROM_WIN32(GetLastError()));
}

LRESULT CALLBACK HostWindow::procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
    if (message == WM_CLOSE) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, w, l);
}

}  // namespace edgesim::server
