#include "app/win32/Win32UserInterface.h"

#include <windows.h>

#include "app/win32/TemplateDialogWindow.h"

namespace korvane {

int32_t Win32UserInterface::messageBox(const std::wstring& text, int32_t style, const std::wstring& title) {
    return ::MessageBoxW(nullptr, text.c_str(), title.c_str(), static_cast<UINT>(style));
}

int32_t Win32UserInterface::chooseTemplate() {
    if (!form_) form_ = std::make_unique<frmVorlagenAuswahl>();
    TemplateDialogWindow window(*form_);
    window.showModal();
    return form_->Auswahl();
}

}  // namespace korvane
