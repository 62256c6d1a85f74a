#pragma once
// Small helpers the file suites share.
#include <gtest/gtest.h>

#include <string>

#include "TestSupport.h"
#include "automation/TextConvert.h"
#include "files/Collation.h"

namespace korvane::test {

// Quoted UTF-8 for failure messages.
inline std::string q(const std::wstring& text) {
    std::string quoted(1, '\'');
    quoted += toUtf8(text);
    quoted += '\'';
    return quoted;
}

// The collation of a German user, who this program is for: results that depend on the collation
// are checked in it, whatever the machine's own locale (a POSIX host needs de_DE.UTF-8).
inline const Collation& germanCollation() {
    static const Collation german(L"de-DE");
    return german;
}

}  // namespace korvane::test
