#pragma once
// The template selection form: which of the two templates replaces the background sheets.
// The form holds the choice and reacts to its events; the window that shows it (win32/) forwards the
// events and carries out what the form asks through TemplateDialogView.
#include <cstdint>
#include <string_view>

#include "app/TemplateDialogView.h"
#include "app/TwipsRect.h"

namespace korvane {

class frmVorlagenAuswahl {
public:
    // Captions and design measures (twips; option buttons relative to Frame1, the rest to the form).
    static constexpr std::wstring_view Caption = L"Auswahl der neuen Vorlage";
    static constexpr int32_t ClientWidth = 4485;
    static constexpr int32_t ClientHeight = 2175;
    static constexpr std::wstring_view Frame1Caption = L"neue Vorlage";
    static constexpr TwipsRect Frame1 = {120, 120, 4215, 1335};
    static constexpr std::wstring_view Option1Caption[2] = {L"Normal", L"eng.chin.Normal"};
    static constexpr TwipsRect Option1[2] = {{240, 360, 1095, 495}, {240, 720, 2175, 495}};
    static constexpr std::wstring_view cmdWeiterCaption = L"Weiter";
    static constexpr TwipsRect cmdWeiter = {3000, 1560, 1335, 495};

    // The stored choice: 0 "Normal", 1 "eng.chin.Normal". Reading it touches no window.
    int32_t Auswahl() const noexcept { return choice_; }

    // The window showing the form, or none; the form outlives its windows.
    void attach(TemplateDialogView* view) noexcept { view_ = view; }

    void Form_Load();
    void Option1_Click(int16_t Index);
    void cmdWeiter_Click();

private:
    int32_t choice_ = 0;
    TemplateDialogView* view_ = nullptr;
};

}  // namespace korvane
