#pragma once
// Small helpers the file suites share.
#include <gtest/gtest.h>

#include <string>

#include "TestSupport.h"
#include "automation/TextConvert.h"

namespace korvane::test {

// Quoted UTF-8 for failure messages.
inline std::string q(const std::wstring& text) {
    std::string quoted(1, '\'');
    quoted += toUtf8(text);
    quoted += '\'';
    return quoted;
}

}  // namespace korvane::test
