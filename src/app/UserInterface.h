#pragma once
// The user-interface port of the start-up procedure: modal boxes and the template dialog.
#include <cstdint>
#include <string>

namespace korvane {

// Message-box styles and answers as Windows numbers them.
namespace mb {
inline constexpr int32_t Critical = 16;         // error icon, OK
inline constexpr int32_t Information = 64;      // information icon, OK
inline constexpr int32_t InformationOkCancel = 65;
inline constexpr int32_t AnswerOk = 1;
inline constexpr int32_t AnswerCancel = 2;
}  // namespace mb

class UserInterface {
public:
    virtual ~UserInterface() = default;
    // Shows a modal box and returns the button pressed (1 OK, 2 Cancel / Escape / close).
    virtual int32_t messageBox(const std::wstring& text, int32_t style, const std::wstring& title) = 0;
    // Shows the template dialog modally and returns its Auswahl once the modal display has ended.
    virtual int32_t chooseTemplate() = 0;
};

}  // namespace korvane
