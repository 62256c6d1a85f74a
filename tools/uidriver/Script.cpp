#include "Script.h"

#include <sstream>

#include "Window.h"

namespace uidriver {

namespace {

std::wstring trim(const std::wstring& s) {
    const auto first = s.find_first_not_of(L" \t\r");
    if (first == std::wstring::npos) return {};
    const auto last = s.find_last_not_of(L" \t\r");
    return s.substr(first, last - first + 1);
}

// Splits "word rest of line" into the word and the trimmed rest.
std::pair<std::wstring, std::wstring> firstWord(const std::wstring& s) {
    const auto space = s.find_first_of(L" \t");
    if (space == std::wstring::npos) return {s, {}};
    return {s.substr(0, space), trim(s.substr(space))};
}

}  // namespace

std::wstring Action::text() const {
    std::wstring out = target == Target::Box ? L"box " : L"dialog ";
    switch (verb) {
    case Verb::Press: out += L"press " + argument; break;
    case Verb::Escape: out += L"escape"; break;
    case Verb::Close: out += L"close"; break;
    case Verb::Click: out += L"click " + argument; break;
    case Verb::Shot: out += L"shot " + argument; break;
    case Verb::Key: out += L"key " + argument; break;
    case Verb::Focus: out += L"focus " + argument; break;
    }
    return out;
}

std::optional<std::vector<Action>> parseScript(const std::wstring& text, std::wstring& error) {
    std::vector<Action> actions;
    std::wistringstream in(text);
    std::wstring raw;
    int lineNumber = 0;
    while (std::getline(in, raw)) {
        ++lineNumber;
        const std::wstring line = trim(raw);
        if (line.empty() || line[0] == L'#') continue;
        Action a;
        a.line = lineNumber;
        const auto [target, rest] = firstWord(line);
        const auto [verb, argument] = firstWord(rest);
        if (target == L"box") {
            a.target = Action::Target::Box;
        } else if (target == L"dialog") {
            a.target = Action::Target::Dialog;
        } else {
            error = L"line " + std::to_wstring(lineNumber) + L": expected box or dialog";
            return std::nullopt;
        }
        bool needsArgument = true;
        if (verb == L"press") {
            a.verb = Action::Verb::Press;
        } else if (verb == L"escape") {
            a.verb = Action::Verb::Escape;
            needsArgument = false;
        } else if (verb == L"close") {
            a.verb = Action::Verb::Close;
            needsArgument = false;
        } else if (verb == L"click" && a.target == Action::Target::Dialog) {
            a.verb = Action::Verb::Click;
        } else if (verb == L"shot") {
            a.verb = Action::Verb::Shot;
        } else if (verb == L"key") {
            a.verb = Action::Verb::Key;
            if (!argument.empty() && !virtualKeyOf(argument)) {
                error = L"line " + std::to_wstring(lineNumber) + L": unknown key '" + argument + L"'";
                return std::nullopt;
            }
        } else if (verb == L"focus") {
            a.verb = Action::Verb::Focus;
        } else {
            error = L"line " + std::to_wstring(lineNumber) + L": unknown action '" + verb + L"'";
            return std::nullopt;
        }
        if (needsArgument != !argument.empty()) {
            error = L"line " + std::to_wstring(lineNumber) + (needsArgument ? L": argument missing" : L": unexpected argument");
            return std::nullopt;
        }
        a.argument = argument;
        actions.push_back(a);
    }
    return actions;
}

}  // namespace uidriver
