// The wildcard matcher on arbitrary text and pattern: no crash, no undefined behaviour, and
// the matcher's invariants hold.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzInput.h"
#include "automation/AutomationError.h"
#include "files/WildcardPattern.h"

using namespace korvane;

namespace {

// A pattern that matches exactly the text: the special characters become one-element lists.
std::wstring literalPattern(const std::wstring& text) {
    std::wstring p;
    for (wchar_t c : text) {
        if (c == L'*' || c == L'?' || c == L'#' || c == L'[') {
            p += L'[';
            p += c;
            p += L']';
        } else {
            p += c;
        }
    }
    return p;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    const size_t split = data[0] % (size);
    const std::wstring text = fuzzText(data + 1, split);
    const std::wstring pattern = fuzzText(data + 1 + split, size - 1 - split);

    FUZZ_CHECK(matchesPattern(text, literalPattern(text), LetterCase::Respect));
    FUZZ_CHECK(matchesPattern(text, literalPattern(text), LetterCase::Ignore));
    FUZZ_CHECK(matchesPattern(text, L"*", LetterCase::Respect));
    FUZZ_CHECK(matchesPattern(text, L"*", LetterCase::Ignore));
    FUZZ_CHECK(matchesPattern(text, literalPattern(text) + L"*", LetterCase::Respect));
    try {
        const bool respect = matchesPattern(text, pattern, LetterCase::Respect);
        const bool ignore = matchesPattern(text, pattern, LetterCase::Ignore);
        // Ignoring case can only widen what matches, unless a list is involved: "g" is outside
        // "[!G]" with regard to case and inside it without, and "_" is inside "[A-z]" in code
        // order but not in the collation's.
        if (pattern.find(L'[') == std::wstring::npos) FUZZ_CHECK(!respect || ignore);
    } catch (const AutomationError& e) {
        FUZZ_CHECK(e.number() == 93);  // an unreadable pattern, nothing else
    }
    return 0;
}
