#pragma once
// Small helpers the file suites share.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>

#include "TestSupport.h"
#include "automation/TextConvert.h"
#include "files/Collation.h"
#include "files/WildcardPattern.h"

namespace korvane::test {

// Quoted UTF-8 for failure messages.
inline std::string q(const std::wstring& text) {
    std::string quoted(1, '\'');
    quoted += toUtf8(text);
    quoted += '\'';
    return quoted;
}

// A result that is either a text or a runtime error number.
struct Outcome {
    int32_t error = 0;
    std::wstring text;
    bool operator==(const Outcome&) const = default;
};
inline Outcome ok(std::wstring text) { return {0, std::move(text)}; }
inline std::string describe(const Outcome& o) { return o.error ? "error " + std::to_string(o.error) : q(o.text); }
template <class F>
Outcome outcomeOf(F&& f) {
    Outcome o;
    o.error = errorOf([&] { o.text = f(); });
    return o;
}

// The collation of a German user, who this program is for: results that depend on the collation
// are checked in it, whatever the machine's own locale (a POSIX host needs de_DE.UTF-8).
inline const Collation& germanCollation() {
    static const Collation german(L"de-DE");
    return german;
}

// A pattern match as 1 (a match), 0 (none) or the error number raised; in the collation when one
// is given, otherwise in code order.
inline int matchOutcome(const std::wstring& text, const std::wstring& pattern, const Collation* collation,
                        LetterCase mode = LetterCase::Respect) {
    int got = 0;
    const int32_t error = errorOf([&] {
        got = (collation ? matchesPattern(text, pattern, *collation) : matchesPattern(text, pattern, mode)) ? 1 : 0;
    });
    return error ? error : got;
}

}  // namespace korvane::test
