#pragma once
// The visible top-level windows of one process, and the answers of a user who accepts what is offered.
#include <windows.h>

#include <string>
#include <vector>

namespace winwatch {

struct ShownWindow {
    HWND hwnd = nullptr;
    bool isBox = false;  // a message box: it has the static text control 0xFFFF
    std::wstring title;
};

class TopLevelWindows {
public:
    static std::vector<ShownWindow> of(DWORD processId);

    // A dialog: presses its "Weiter" button, leaving the options as they are. A message box: OK, or
    // Cancel where it has one and cancelInBoxes is set. False when the window offers neither.
    static bool acceptLikeUser(const ShownWindow& window, bool cancelInBoxes = false);
};

}  // namespace winwatch
