#include "TopLevelWindows.h"

namespace winwatch {

namespace {

constexpr int kBoxTextId = 0xFFFF;

std::wstring textOf(HWND hwnd) {
    wchar_t buffer[512] = {};
    ::GetWindowTextW(hwnd, buffer, static_cast<int>(std::size(buffer)));
    return buffer;
}

struct Search {
    DWORD processId = 0;
    std::vector<ShownWindow> found;
};

BOOL CALLBACK collect(HWND hwnd, LPARAM context) {
    auto& search = *reinterpret_cast<Search*>(context);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(hwnd, &owner);
    if (owner != search.processId || !::IsWindowVisible(hwnd)) return TRUE;
    ShownWindow w;
    w.hwnd = hwnd;
    w.isBox = ::GetDlgItem(hwnd, kBoxTextId) != nullptr;
    w.title = textOf(hwnd);
    search.found.push_back(std::move(w));
    return TRUE;
}

struct ButtonSearch {
    const wchar_t* caption = nullptr;
    HWND found = nullptr;
};

BOOL CALLBACK findButton(HWND hwnd, LPARAM context) {
    auto& search = *reinterpret_cast<ButtonSearch*>(context);
    wchar_t cls[32] = {};
    ::GetClassNameW(hwnd, cls, static_cast<int>(std::size(cls)));
    if (::lstrcmpiW(cls, L"Button") == 0 && textOf(hwnd) == search.caption) {
        search.found = hwnd;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

std::vector<ShownWindow> TopLevelWindows::of(DWORD processId) {
    Search search;
    search.processId = processId;
    ::EnumWindows(collect, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool TopLevelWindows::acceptLikeUser(const ShownWindow& window, bool cancelInBoxes) {
    if (window.isBox) {
        // OK is button 1 and Cancel button 2 in every box that has them; posting keeps us from waiting
        // on the box's owner.
        int button = IDOK;
        if (cancelInBoxes && ::GetDlgItem(window.hwnd, IDCANCEL) != nullptr) button = IDCANCEL;
        if (::GetDlgItem(window.hwnd, button) == nullptr) return false;
        return ::PostMessageW(window.hwnd, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(button), BN_CLICKED),
                              reinterpret_cast<LPARAM>(::GetDlgItem(window.hwnd, button))) != FALSE;
    }
    ButtonSearch search;
    search.caption = L"Weiter";
    ::EnumChildWindows(window.hwnd, findButton, reinterpret_cast<LPARAM>(&search));
    if (search.found == nullptr) return false;
    const int id = ::GetDlgCtrlID(search.found);
    return ::PostMessageW(window.hwnd, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), BN_CLICKED),
                          reinterpret_cast<LPARAM>(search.found)) != FALSE;
}

}  // namespace winwatch
