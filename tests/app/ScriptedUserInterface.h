#pragma once
// A user interface that answers from a script and keeps a transcript, for tests of Main.
#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "app/UserInterface.h"

namespace korvane::test {

struct UiEvent {
    enum class Kind { Box, Dialog };
    Kind kind = Kind::Box;
    std::wstring text;
    int32_t style = 0;
    std::wstring title;
    int32_t answer = 0;  // the button pressed, or the dialog's Auswahl
};

class ScriptedUserInterface : public UserInterface {
public:
    // Answers of the boxes in order; a box beyond the script is answered with OK.
    std::deque<int32_t> boxAnswers;
    // The dialog's Auswahl; 0 when nothing is given, as after "Weiter" on an untouched dialog.
    int32_t dialogAnswer = 0;

    std::vector<UiEvent> transcript;
    // Runs while a box is shown, before it is answered.
    std::function<void(const std::wstring& text)> whileBoxShown;

    int32_t messageBox(const std::wstring& text, int32_t style, const std::wstring& title) override;
    int32_t chooseTemplate() override;

    // The transcript as one line per event, for messages that say what differed.
    std::wstring describe() const;
};

}  // namespace korvane::test
