#include "Window.h"

#include <algorithm>
#include <array>
#include <utility>

namespace uidriver {

namespace {

constexpr int kMessageTextId = 0xFFFF;

std::wstring windowText(HWND h) {
    std::array<wchar_t, 4096> buffer{};
    // WM_GETTEXT crosses process boundaries (the system copies the text); GetWindowText would not read
    // the text of another process's controls.
    const LRESULT n = ::SendMessageW(h, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()));
    return std::wstring(buffer.data(), static_cast<size_t>(std::max<LRESULT>(n, 0)));
}

std::wstring className(HWND h) {
    std::array<wchar_t, 256> buffer{};
    const int n = ::GetClassNameW(h, buffer.data(), static_cast<int>(buffer.size()));
    return std::wstring(buffer.data(), static_cast<size_t>(std::max(n, 0)));
}

std::wstring buttonKind(LONG style) {
    switch (style & BS_TYPEMASK) {
    case BS_PUSHBUTTON: return L"push";
    case BS_DEFPUSHBUTTON: return L"default-push";
    case BS_GROUPBOX: return L"groupbox";
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON: return L"radio";
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX: return L"check";
    default: return L"button";
    }
}

// The message box's icon, told by the colour of its pixels on the screen: the error icon is red,
// the information icon blue, the question icon blue too but with a different hue share, the warning
// icon yellow. Icon handles of another process cannot be examined directly.
std::wstring iconKind(HWND iconControl) {
    RECT r{};
    if (!::GetWindowRect(iconControl, &r)) return L"unknown";
    HDC screen = ::GetDC(nullptr);
    if (!screen) return L"unknown";
    int red = 0, blue = 0, yellow = 0;
    for (LONG y = r.top; y < r.bottom; ++y) {
        for (LONG x = r.left; x < r.right; ++x) {
            const COLORREF c = ::GetPixel(screen, x, y);
            if (c == CLR_INVALID) continue;
            const int R = GetRValue(c), G = GetGValue(c), B = GetBValue(c);
            if (R > 150 && G < 110 && B < 110) ++red;
            if (B > 150 && R < 130) ++blue;
            if (R > 180 && G > 160 && B < 90) ++yellow;
        }
    }
    ::ReleaseDC(nullptr, screen);
    const int most = std::max({red, blue, yellow});
    if (most < 8) return L"unknown";
    if (most == red) return L"error";
    if (most == yellow) return L"warning";
    return L"information";
}

struct ChildSearch {
    HWND parent;
    std::vector<Control>* controls;
};

BOOL CALLBACK collectChild(HWND child, LPARAM param) {
    auto* search = reinterpret_cast<ChildSearch*>(param);
    // Direct children only, in their z-order, which is the dialog template's order and so the tab order.
    if (::GetParent(child) != search->parent) return TRUE;
    auto* controls = search->controls;
    Control c;
    c.hwnd = child;
    c.id = ::GetDlgCtrlID(child);
    c.caption = windowText(child);
    const std::wstring cls = className(child);
    const LONG style = ::GetWindowLongW(child, GWL_STYLE);
    if (_wcsicmp(cls.c_str(), L"Button") == 0) {
        c.kind = buttonKind(style);
        if (c.kind == L"radio" || c.kind == L"check") {
            c.checked = ::SendMessageW(child, BM_GETCHECK, 0, 0) == BST_CHECKED;
        }
    } else if (_wcsicmp(cls.c_str(), L"Static") == 0) {
        c.kind = (style & SS_TYPEMASK) == SS_ICON ? L"icon" : L"static";
    } else {
        c.kind = L"other";
    }
    controls->push_back(c);
    return TRUE;
}

struct Search {
    DWORD processId;
    std::vector<HWND> found;
};

BOOL CALLBACK collectTop(HWND h, LPARAM param) {
    auto* s = reinterpret_cast<Search*>(param);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(h, &pid);
    if (pid == s->processId && ::IsWindowVisible(h) && className(h) == L"#32770") s->found.push_back(h);
    return TRUE;
}

// A message box's buttons are the system's, captioned in the system's language; they are told by their
// command ids, which are the box's answers.
std::wstring answerName(int id) {
    switch (id) {
    case IDOK: return L"OK";
    case IDCANCEL: return L"Cancel";
    case IDABORT: return L"Abort";
    case IDRETRY: return L"Retry";
    case IDIGNORE: return L"Ignore";
    case IDYES: return L"Yes";
    case IDNO: return L"No";
    default: return L"#" + std::to_wstring(id);
    }
}

bool isPushButton(const Control& c) { return c.kind == L"push" || c.kind == L"default-push"; }

// The window of the window's thread that has the keyboard focus; the window itself when none has.
HWND focusOf(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    if (::GetGUIThreadInfo(::GetWindowThreadProcessId(window, nullptr), &info) && info.hwndFocus) return info.hwndFocus;
    return window;
}

}  // namespace

std::wstring escaped(const std::wstring& text) {
    std::wstring out;
    for (wchar_t c : text) {
        if (c == L'\r') out += L"\\r";
        else if (c == L'\n') out += L"\\n";
        else if (c == L'\\') out += L"\\\\";
        else out += c;
    }
    return out;
}

std::wstring WindowView::describe() const {
    std::wstring out = (isBox ? L"box \"" : L"dialog \"") + title + L"\"";
    if (isBox) {
        out += L" icon=" + icon + L" buttons=";
        bool first = true;
        for (const auto& c : controls) {
            if (!isPushButton(c)) continue;
            out += (first ? L"" : L"/") + answerName(c.id);
            first = false;
        }
        out += L" text=\"" + escaped(text) + L"\"";
    } else {
        for (const auto& c : controls) {
            out += L" | " + c.kind + L" \"" + c.caption + L"\"";
            if (c.kind == L"radio") out += c.checked ? L" on" : L" off";
        }
    }
    return out;
}

const Control* WindowView::find(const std::wstring& caption) const {
    for (const auto& c : controls) {
        if (isBox ? isPushButton(c) && answerName(c.id) == caption : c.caption == caption) return &c;
    }
    return nullptr;
}

WindowView inspect(HWND hwnd) {
    WindowView w;
    w.hwnd = hwnd;
    w.title = windowText(hwnd);
    ChildSearch search{hwnd, &w.controls};
    ::EnumChildWindows(hwnd, collectChild, reinterpret_cast<LPARAM>(&search));
    w.icon = L"none";
    for (const auto& c : w.controls) {
        if (c.id == kMessageTextId) {
            w.isBox = true;
            w.text = c.caption;
        }
        if (c.kind == L"icon") w.icon = iconKind(c.hwnd);
    }
    return w;
}

std::vector<HWND> dialogWindows(DWORD processId) {
    Search s{processId, {}};
    ::EnumWindows(collectTop, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

bool press(const WindowView& w, const std::wstring& caption) {
    const Control* c = w.find(caption);
    if (!c || !isPushButton(*c)) return false;
    // Posted, not sent: the press may end the window's modal loop, and the driver must not wait in it.
    ::PostMessageW(c->hwnd, BM_CLICK, 0, 0);
    return true;
}

bool click(const WindowView& w, const std::wstring& caption) {
    const Control* c = w.find(caption);
    if (!c || c->kind != L"radio") return false;
    ::SendMessageW(c->hwnd, BM_CLICK, 0, 0);
    return true;
}

unsigned virtualKeyOf(const std::wstring& name) {
    static const std::pair<const wchar_t*, unsigned> keys[] = {
        {L"Up", VK_UP},   {L"Down", VK_DOWN},   {L"Left", VK_LEFT},     {L"Right", VK_RIGHT},
        {L"Tab", VK_TAB}, {L"Space", VK_SPACE}, {L"Enter", VK_RETURN}, {L"Escape", VK_ESCAPE},
    };
    for (const auto& [keyName, code] : keys) {
        if (name == keyName) return code;
    }
    return 0;
}

void typeKey(const WindowView& w, unsigned virtualKey) {
    // lParam as the keyboard gives it: repeat count 1, the scan code, the extended-key bit of the arrow
    // keys; key up adds "was down" and "being released".
    const UINT scanCode = ::MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC);
    const bool extended = virtualKey == VK_UP || virtualKey == VK_DOWN || virtualKey == VK_LEFT || virtualKey == VK_RIGHT;
    const auto down = static_cast<LPARAM>(1u | (scanCode << 16) | (extended ? 1u << 24 : 0u));
    const auto up = static_cast<LPARAM>(static_cast<unsigned>(down) | 0xC0000000u);
    const HWND target = focusOf(w.hwnd);
    ::PostMessageW(target, WM_KEYDOWN, virtualKey, down);
    ::PostMessageW(target, WM_KEYUP, virtualKey, up);
}

const Control* focusedControl(const WindowView& w) {
    const HWND focus = focusOf(w.hwnd);
    for (const auto& c : w.controls) {
        if (c.hwnd == focus) return &c;
    }
    return nullptr;
}

void escape(const WindowView& w) { typeKey(w, VK_ESCAPE); }

void closeByWindowMenu(const WindowView& w) { ::PostMessageW(w.hwnd, WM_SYSCOMMAND, SC_CLOSE, 0); }

void redrawFrame(const WindowView& w) {
    // Under wine (no window manager) a dialog's or message box's caption stays as it was first painted:
    // grey and without the close button, although the window is the foreground window and has the
    // button. Told that it is active (only when it is) and painted again, caption and frame show what a
    // designer sees. The new frame reaches the display only after about a second (measured: not yet
    // after 0.5 s, there after 1.3 s), hence the wait.
    DWORD_PTR ignored = 0;
    if (::GetForegroundWindow() == w.hwnd)
        ::SendMessageTimeoutW(w.hwnd, WM_NCACTIVATE, TRUE, 0, SMTO_ABORTIFHUNG, 2000, &ignored);
    ::RedrawWindow(w.hwnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    ::Sleep(1500);
}

}  // namespace uidriver
