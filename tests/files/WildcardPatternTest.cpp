// The pattern matcher of the listings and the wildcard names, case ignored and respected.
#include <gtest/gtest.h>

#include <string>

#include "FilesTestSupport.h"

using namespace korvane;
using namespace korvane::test;
using namespace std::string_literals;

// Each row: the answer ignoring case and respecting it, 1 a match, 0 none, or the error number
// (93 for a pattern that cannot be read, whatever the text). Texts against their own pattern, "*"
// and runs of "?" are checked on random texts in RandomizedTest.
TEST(WildcardPattern, MatchesLikeTheRuntime) {
    constexpr int Invalid = 93;
    const std::wstring longWord(70000, L'a');
    const struct {
        std::wstring text;
        std::wstring pattern;
        int ignoringCase;
        int respectingCase;
    } cases[] = {
        {L"abc", L"abc", 1, 1},
        {L"ABC", L"abc", 1, 0},
        {L"ab", L"abc", 0, 0},
        {L"w.dft.bak", L"*.dft", 0, 0},
        {L"SolidEdge.exe", L"*Edge*", 1, 1},
        {L"aXbXc", L"a*b*c", 1, 1},
        {L"abcbd", L"a*b?", 1, 1},
        {L"mississippi", L"*sip*", 1, 1},
        {L"a1", L"a#", 1, 1},
        {L"ax", L"a#", 0, 0},
        {L"\u0663", L"#", 0, 0},  // ASCII digits only
        {L"Q", L"[A-Z]", 1, 1},
        {L"q", L"[A-Z]", 1, 0},
        {L"a", L"[a-a]", 1, 1},
        {L"A", L"[a-a]", 1, 0},
        {L"b", L"[a-a]", 0, 0},
        {L"\u00e4", L"\u00c4", 1, 0},
        {L"\u00e4", L"[\u00c4]", 1, 0},
        {L"\u00c4", L"[\u00e0-\u00ff]", 1, 0},
        {L"b", L"[abc]", 1, 1},
        {L"d", L"[!abc]", 1, 1},
        {L"B", L"[!abc]", 0, 1},
        {L"-", L"[-a]", 1, 1},
        {L"-", L"[a-]", 1, 1},
        {L"b", L"[a-]", 0, 0},
        {L"-", L"[-]", 1, 1},
        {L"!", L"!", 1, 1},
        {L"*", L"[*]", 1, 1},
        {L"[", L"[[]", 1, 1},
        {L"ab", L"a[]b", 1, 1},
        {L"", L"[]", 1, 1},
        {L"a", L"[]", 0, 0},
        {L"", L"[!]", 0, 0},
        {L"a", L"[!]", 1, 1},
        {L"\0"s, L"[\0]"s, 1, 1},
        {L"a\0b"s, L"*\0*"s, 1, 1},
        {L"a5z", L"[a-c]#[!0-9]", 1, 1},
        {L"a5Z", L"[a-c]#[!a-z]", 0, 1},
        {L"readme", L"*.*", 0, 0},
        {L"file.", L"*.*", 1, 1},
        {L"", L"a[bc", Invalid, Invalid},
        {L"a", L"*[a", Invalid, Invalid},
        {L"a", L"[!", Invalid, Invalid},
        {L"b", L"[z-a]", Invalid, Invalid},
        {L"a", L"[" + longWord, Invalid, Invalid},
        {L"abc", std::wstring(70000, L'*'), 1, 1},
        {L"abc", std::wstring(70000, L'*') + L"d", 0, 0},
        {longWord + L".dft", L"*.dft", 1, 1},
        {longWord, L"a*b", 0, 0},
        {std::wstring(70000, L'7'), std::wstring(70000, L'#'), 1, 1},
        {longWord, L"[" + longWord + L"]", 0, 0},
    };
    auto shown = [](const std::wstring& s) { return q(s.size() > 20 ? s.substr(0, 20) + L"..." : s); };
    for (const auto& c : cases) {
        EXPECT_EQ(matchOutcome(c.text, c.pattern, nullptr, LetterCase::Ignore), c.ignoringCase)
            << "text " << shown(c.text) << " pattern " << shown(c.pattern) << " ignoring case";
        EXPECT_EQ(matchOutcome(c.text, c.pattern, nullptr, LetterCase::Respect), c.respectingCase)
            << "text " << shown(c.text) << " pattern " << shown(c.pattern) << " respecting case";
    }
}
