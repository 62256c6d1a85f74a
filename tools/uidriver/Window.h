#pragma once
// A top-level window of the watched program, as the user sees it: its kind, title, text and controls;
// and the user's means of acting on it.
#include <windows.h>

#include <string>
#include <vector>

namespace uidriver {

struct Control {
    HWND hwnd = nullptr;
    int id = 0;
    std::wstring kind;  // groupbox, radio, push, default-push, check, static, icon, other
    std::wstring caption;
    bool checked = false;
};

struct WindowView {
    HWND hwnd = nullptr;
    bool isBox = false;        // a message box (it has the message text control)
    std::wstring title;
    std::wstring text;         // a message box's text
    std::wstring icon;         // a message box's icon: error, information, question, warning, none, unknown
    std::vector<Control> controls;

    // One transcript line: kind, title, icon, buttons, text (boxes) or the controls in tab order (dialogs).
    std::wstring describe() const;
    // A dialog's control by its caption; a message box's button by its answer (OK, Cancel, Yes, No...).
    const Control* find(const std::wstring& caption) const;
};

WindowView inspect(HWND hwnd);

// Visible top-level dialog windows of the process, newest first.
std::vector<HWND> dialogWindows(DWORD processId);

// The user's actions. Each returns false when the window has no such control.
bool press(const WindowView& w, const std::wstring& caption);
bool click(const WindowView& w, const std::wstring& caption);
void escape(const WindowView& w);
void closeByWindowMenu(const WindowView& w);
// Has the window paint its caption, frame and content anew in the state it has, and waits until the
// display shows it: before a screenshot.
void redrawFrame(const WindowView& w);

// The virtual-key code of a key's name in a script (Up, Down, Left, Right, Tab, Space, Enter, Escape), 0 if none.
unsigned virtualKeyOf(const std::wstring& name);
// Types the key into the control that has the keyboard focus in the window's thread (the window itself
// when none has): key down and key up, posted, so that the window's own message loop translates and
// dispatches them as it would the keyboard's.
void typeKey(const WindowView& w, unsigned virtualKey);
// The control of the window that has the keyboard focus, or nullptr.
const Control* focusedControl(const WindowView& w);

// Texts with CR and LF written as \r and \n, so that a transcript line shows them exactly.
std::wstring escaped(const std::wstring& text);

}  // namespace uidriver
