#include "app/win32/TemplateDialogWindow.h"

#include <string>

#include "app/win32/DialogResources.h"
#include "automation/AutomationError.h"

namespace korvane {

namespace {

constexpr int optionControl(int16_t index) { return index == 1 ? IDC_OPTION1_1 : IDC_OPTION1_0; }

}  // namespace

TemplateDialogWindow::~TemplateDialogWindow() { form_.attach(nullptr); }

void TemplateDialogWindow::showModal() {
    form_.attach(this);
    const INT_PTR result = ::DialogBoxParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_VORLAGENAUSWAHL),
                                             nullptr, &TemplateDialogWindow::dialogProc,
                                             reinterpret_cast<LPARAM>(this));
    const DWORD lastError = ::GetLastError();
    form_.attach(nullptr);
    hwnd_ = nullptr;
    if (result == -1) {
        throw AutomationError(static_cast<int32_t>(lastError),
                              L"Das Fenster zur Auswahl der Vorlage konnte nicht angezeigt werden.");
    }
}

void TemplateDialogWindow::selectOption(int16_t index) {
    if (hwnd_) ::CheckRadioButton(hwnd_, IDC_OPTION1_0, IDC_OPTION1_1, optionControl(index));
}

void TemplateDialogWindow::hide() {
    // Ends the modal loop; the dialog manager hides the window at once.
    if (hwnd_) ::EndDialog(hwnd_, 0);
}

INT_PTR CALLBACK TemplateDialogWindow::dialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        // NOLINTNEXTLINE(performance-no-int-to-ptr): Win32 hands the pointer back as an integer
        auto* self = reinterpret_cast<TemplateDialogWindow*>(lParam);
        ::SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
        self->hwnd_ = hwnd;
    }
    // NOLINTNEXTLINE(performance-no-int-to-ptr): Win32 hands the pointer back as an integer
    auto* self = reinterpret_cast<TemplateDialogWindow*>(::GetWindowLongPtrW(hwnd, DWLP_USER));
    return self ? self->handle(message, wParam) : FALSE;
}

INT_PTR TemplateDialogWindow::handle(UINT message, WPARAM wParam) {
    switch (message) {
    case WM_INITDIALOG:
        form_.Form_Load();
        // Focus goes to the selected option button, as when the user tabs into the group; giving it to the
        // group's first button instead would announce that button as clicked.
        ::SetFocus(::GetDlgItem(hwnd_, optionControl(static_cast<int16_t>(form_.Auswahl()))));
        return FALSE;
    case WM_COMMAND: {
        const int id = LOWORD(wParam);
        if (HIWORD(wParam) != BN_CLICKED) return FALSE;
        if (id == IDC_OPTION1_0 || id == IDC_OPTION1_1) {
            // A radio button also reports a click when it merely receives the focus; only a button that
            // is now selected was chosen.
            if (::IsDlgButtonChecked(hwnd_, id) == BST_CHECKED) {
                form_.Option1_Click(static_cast<int16_t>(id == IDC_OPTION1_1 ? 1 : 0));
            }
            return TRUE;
        }
        if (id == IDC_CMDWEITER) {
            form_.cmdWeiter_Click();
            return TRUE;
        }
        // Enter and Escape arrive as IDOK and IDCANCEL; the form has neither a default nor a cancel
        // button, so both do nothing.
        return TRUE;
    }
    case WM_CLOSE:
        // Closing by the window's own means unloads the window; the modal display ends with the choice
        // as the last click left it.
        ::EndDialog(hwnd_, 0);
        return TRUE;
    default:
        return FALSE;
    }
}

}  // namespace korvane
