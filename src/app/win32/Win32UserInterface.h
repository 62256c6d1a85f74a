#pragma once
// The user interface of korvane.exe: Windows message boxes and the template dialog.
#include <memory>

#include "app/UserInterface.h"
#include "app/frmVorlagenAuswahl.h"

namespace korvane {

class Win32UserInterface : public UserInterface {
public:
    int32_t messageBox(const std::wstring& text, int32_t style, const std::wstring& title) override;
    int32_t chooseTemplate() override;

private:
    // The form, once created, lives as long as the user interface: to the end of the run.
    std::unique_ptr<frmVorlagenAuswahl> form_;
};

}  // namespace korvane
