#pragma once
// A scripted misbehaviour of the application: a member that fails, ends the application abruptly,
// makes it busy, never answers, or answers without error but not as asked (Nothing, or the answer for another first
// argument), at its n-th call or from its n-th call on.
#include <cstddef>
#include <cstdint>
#include <string>

#include "automation/Dispatch.h"

namespace edgesim {

class SimObject;

struct Fault {
    enum class Action { Error, Crash, Busy, Hang, Nothing, Substitute };

    std::wstring object = L"*";  // "*", an object kind ("Document"), an identity, or Kind(name) as identity suffix
    std::wstring member = L"*";  // "*", a dispatch id in decimal, or a member name (case ignored)
    size_t at = 1;               // the matching call that fires first, from 1
    bool repeats = false;        // fires at every later matching call too
    Action action = Action::Error;
    int32_t number = 0;          // Error: the error number
    std::wstring description;    // Error: the description
    int32_t busyMilliseconds = 0;
    std::wstring substitute;     // Substitute: the text served in place of the call's first argument

    size_t matched = 0;          // matching calls seen so far

    bool matches(const SimObject& target, korvane::DispId id, std::wstring_view memberName) const;
    // Counts one matching call; true when the fault fires at it.
    bool fires();
};

}  // namespace edgesim
