// The pattern matcher of the listings and the wildcard names, case ignored and respected.
#include <gtest/gtest.h>

#include <string>

#include "FilesTestSupport.h"
#include "files/WildcardPattern.h"

using namespace korvane;
using namespace korvane::test;
using namespace std::string_literals;

namespace {

constexpr size_t VeryLong = 70000;
const std::wstring kLongWord(VeryLong, L'a');

struct MatchCase {
    const wchar_t* text;
    const wchar_t* pattern;
    bool ignoringCase;
    bool respectingCase;
};

}  // namespace

// (Texts against their own pattern, "*" and runs of "?" are checked on random texts in RandomizedTest.)
TEST(WildcardPattern, MatchesLikeTheRuntime) {
    const MatchCase cases[] = {
        {L"abc", L"abc", true, true},
        {L"ABC", L"abc", true, false},
        {L"ab", L"abc", false, false},
        {L"x.dft", L"*.dft", true, true},
        {L"X.DFT", L"*.dft", true, false},
        {L"w.dft.bak", L"*.dft", false, false},
        {L"SolidEdge.exe", L"*Edge*", true, true},
        {L"solidedge.exe", L"*Edge*", true, false},
        {L"Edg", L"*Edge*", false, false},
        {L"aXbXc", L"a*b*c", true, true},
        {L"abcbd", L"a*b?", true, true},
        {L"abcbdx", L"a*b?", false, false},
        {L"mississippi", L"*sip*", true, true},
        {L"a1", L"a#", true, true},
        {L"ax", L"a#", false, false},
        {L"a12", L"a#", false, false},
        {L"Q", L"[A-Z]", true, true},
        {L"q", L"[A-Z]", true, false},
        {L"a", L"[a-a]", true, true},
        {L"A", L"[a-a]", true, false},
        {L"b", L"[a-a]", false, false},
        {L"\u00e4", L"[\u00c4]", true, false},
        {L"b", L"[abc]", true, true},
        {L"d", L"[!abc]", true, true},
        {L"B", L"[!abc]", false, true},
        {L"-", L"[-a]", true, true},
        {L"-", L"[a-]", true, true},
        {L"b", L"[a-]", false, false},
        {L"!", L"!", true, true},
        {L"*", L"[*]", true, true},
        {L"[", L"[[]", true, true},
        {L"ab", L"a[]b", true, true},
        {L"", L"[!]", false, false},
        {L"a5z", L"[a-c]#[!0-9]", true, true},
        {L"a5Z", L"[a-c]#[!a-z]", false, true},
        {L"readme", L"*.*", false, false},
        {L"file.", L"*.*", true, true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(matchesPattern(c.text, c.pattern, LetterCase::Ignore), c.ignoringCase)
            << "text " << q(c.text) << " pattern " << q(c.pattern) << " ignoring case";
        EXPECT_EQ(matchesPattern(c.text, c.pattern, LetterCase::Respect), c.respectingCase)
            << "text " << q(c.text) << " pattern " << q(c.pattern) << " respecting case";
    }
}

// Odd and very long patterns: the answer, or the documented error 93 whatever the text.
TEST(WildcardPattern, OddPatternsMatchOrRaise93) {
    constexpr int Invalid = 93;
    const struct {
        const char* what;
        std::wstring text;
        std::wstring pattern;
        LetterCase mode;
        int expected;  // 1 a match, 0 none, or the error number
    } cases[] = {
        {"lone bracket", L"a", L"[", LetterCase::Respect, Invalid},
        {"unclosed list, empty text", L"", L"a[bc", LetterCase::Ignore, Invalid},
        {"unclosed list after a star", L"a", L"*[a", LetterCase::Ignore, Invalid},
        {"lone negation", L"a", L"[!", LetterCase::Respect, Invalid},
        {"descending range", L"b", L"[z-a]", LetterCase::Respect, Invalid},
        {"empty list is no character", L"", L"[]", LetterCase::Respect, 1},
        {"empty list takes no character", L"a", L"[]", LetterCase::Respect, 0},
        {"empty negated list is any character", L"a", L"[!]", LetterCase::Respect, 1},
        {"lone dash in a list", L"-", L"[-]", LetterCase::Respect, 1},
        {"NUL in a list", L"\0"s, L"[\0]"s, LetterCase::Respect, 1},
        {"NUL between stars", L"a\0b"s, L"*\0*"s, LetterCase::Respect, 1},
        {"digit is ASCII only", L"\u0663", L"#", LetterCase::Respect, 0},
        {"umlaut case ignored", L"\u00e4", L"\u00c4", LetterCase::Ignore, 1},
        {"umlaut case respected", L"\u00e4", L"\u00c4", LetterCase::Respect, 0},
        {"umlaut in a range, case ignored", L"\u00c4", L"[\u00e0-\u00ff]", LetterCase::Ignore, 1},
        {"very many stars", L"abc", std::wstring(VeryLong, L'*'), LetterCase::Respect, 1},
        {"very many stars and a mismatch", L"abc", std::wstring(VeryLong, L'*') + L"d", LetterCase::Respect,
         0},
        {"very long text, star and tail", kLongWord + L".dft", L"*.dft", LetterCase::Ignore, 1},
        {"very long text, head and star", kLongWord, L"a*b", LetterCase::Ignore, 0},
        {"very long digits", std::wstring(VeryLong, L'7'), std::wstring(VeryLong, L'#'), LetterCase::Respect,
         1},
        {"very long list pattern", kLongWord, L"[" + kLongWord + L"]", LetterCase::Respect, 0},
        {"very long unclosed list", L"a", L"[" + kLongWord, LetterCase::Respect, Invalid},
    };
    for (const auto& c : cases) {
        int got = 0;
        if (const int32_t error = errorOf([&] { got = matchesPattern(c.text, c.pattern, c.mode) ? 1 : 0; })) got = error;
        EXPECT_EQ(got, c.expected) << c.what;
    }
}
