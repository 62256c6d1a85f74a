#pragma once
// Small helpers the file suites share.
#include <gtest/gtest.h>

#include <string>

#include "automation/AutomationError.h"
#include "automation/TextConvert.h"

namespace korvane::test {

// The runtime number a call raised, 0 when it returned.
template <class F>
int32_t errorOf(F&& f) {
    try {
        f();
    } catch (const AutomationError& e) {
        return e.number();
    }
    return 0;
}

// Quoted UTF-8 for failure messages.
inline std::string q(const std::wstring& text) {
    std::string quoted(1, '\'');
    quoted += toUtf8(text);
    quoted += '\'';
    return quoted;
}

}  // namespace korvane::test
