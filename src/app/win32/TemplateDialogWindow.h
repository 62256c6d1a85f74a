#pragma once
// The Win32 modal dialog that shows frmVorlagenAuswahl (dialog template IDD_VORLAGENAUSWAHL in the
// executable's resources).
#include <windows.h>

#include "app/TemplateDialogView.h"
#include "app/frmVorlagenAuswahl.h"

namespace korvane {

class TemplateDialogWindow : public TemplateDialogView {
public:
    explicit TemplateDialogWindow(frmVorlagenAuswahl& form) : form_(form) {}
    ~TemplateDialogWindow() override;
    TemplateDialogWindow(const TemplateDialogWindow&) = delete;
    TemplateDialogWindow& operator=(const TemplateDialogWindow&) = delete;

    // Shows the dialog without owner and returns once the modal display has ended, by "Weiter" or by
    // the window's own close command. Raises when the window cannot be created.
    void showModal();

    void selectOption(int16_t index) override;
    void hide() override;

private:
    static INT_PTR CALLBACK dialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR handle(UINT message, WPARAM wParam);

    frmVorlagenAuswahl& form_;
    HWND hwnd_ = nullptr;
};

}  // namespace korvane
