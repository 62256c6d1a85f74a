#pragma once
// The user interface of korvane.exe: Windows message boxes, the template dialog, ExitProcess.
#include <memory>

#include "app/UserInterface.h"
#include "app/frmVorlagenAuswahl.h"

namespace korvane {

class Win32UserInterface : public UserInterface {
public:
    int32_t messageBox(const std::wstring& text, int32_t style, const std::wstring& title) override;
    int32_t chooseTemplate() override;
    [[noreturn]] void endProcess(int32_t exitCode) override;

private:
    // The form, once created, lives until the process ends.
    std::unique_ptr<frmVorlagenAuswahl> form_;
};

}  // namespace korvane
