#include "app/ScriptedUserInterface.h"

namespace korvane::test {

int32_t ScriptedUserInterface::messageBox(const std::wstring& text, int32_t style, const std::wstring& title) {
    if (whileBoxShown) whileBoxShown(text);
    int32_t answer = mb::AnswerOk;
    if (!boxAnswers.empty()) {
        answer = boxAnswers.front();
        boxAnswers.pop_front();
    }
    transcript.push_back({UiEvent::Kind::Box, text, style, title, answer});
    return answer;
}

int32_t ScriptedUserInterface::chooseTemplate() {
    transcript.push_back({UiEvent::Kind::Dialog, L"", 0, L"", dialogAnswer});
    return dialogAnswer;
}

std::wstring ScriptedUserInterface::describe() const {
    std::wstring out;
    for (const auto& e : transcript) {
        if (e.kind == UiEvent::Kind::Dialog) {
            out += L"dialog -> " + std::to_wstring(e.answer) + L"\n";
        } else {
            out += L"box " + std::to_wstring(e.style) + L" [" + e.title + L"] \"" + e.text + L"\" -> " +
                   std::to_wstring(e.answer) + L"\n";
        }
    }
    return out;
}

}  // namespace korvane::test
