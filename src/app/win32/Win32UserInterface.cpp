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

void Win32UserInterface::endProcess(int32_t exitCode) {
    // At once: no destructor of an object still held runs (COM references held now are not released;
    // the system cleans up after the process).
    ::ExitProcess(static_cast<UINT>(exitCode));
}

}  // namespace korvane
