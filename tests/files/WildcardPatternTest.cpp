#include <gtest/gtest.h>

#include "TestSupport.h"
#include "files/WildcardPattern.h"

using namespace korvane;
using korvane::test::errorOf;

namespace {

struct MatchCase {
    const wchar_t* text;
    const wchar_t* pattern;
    bool ignoringCase;
    bool respectingCase;
};

}  // namespace

TEST(WildcardPattern, MatchesLikeTheRuntime) {
    const MatchCase cases[] = {
        {L"", L"", true, true},
        {L"", L"*", true, true},
        {L"", L"?", false, false},
        {L"a", L"", false, false},
        {L"abc", L"abc", true, true},
        {L"ABC", L"abc", true, false},
        {L"abc", L"ab", false, false},
        {L"ab", L"abc", false, false},
        {L"x.dft", L"*.dft", true, true},
        {L"X.DFT", L"*.dft", true, false},
        {L"w.dft.bak", L"*.dft", false, false},
        {L"a.dft.dft", L"*.dft", true, true},
        {L"SolidEdge.exe", L"*Edge*", true, true},
        {L"solidedge.exe", L"*Edge*", true, false},
        {L"Edge", L"*Edge*", true, true},
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
        {L"1", L"[A-Z]", false, false},
        {L"a", L"[a-a]", true, true},
        {L"A", L"[a-a]", true, false},
        {L"b", L"[a-a]", false, false},
        {L"\u00e4", L"[\u00c4]", true, false},
        {L"b", L"[abc]", true, true},
        {L"d", L"[abc]", false, false},
        {L"d", L"[!abc]", true, true},
        {L"B", L"[!abc]", false, true},
        {L"-", L"[-a]", true, true},
        {L"-", L"[a-]", true, true},
        {L"b", L"[a-]", false, false},
        {L"!", L"!", true, true},
        {L"*", L"[*]", true, true},
        {L"x", L"[*]", false, false},
        {L"[", L"[[]", true, true},
        {L"]", L"]", true, true},
        {L"ab", L"a[]b", true, true},
        {L"x", L"[!]", true, true},
        {L"", L"[!]", false, false},
        {L"a5z", L"[a-c]#[!0-9]", true, true},
        {L"a5Z", L"[a-c]#[!a-z]", false, true},
        {L"readme", L"*.*", false, false},
        {L"file.", L"*.*", true, true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(matchesPattern(c.text, c.pattern, LetterCase::Ignore), c.ignoringCase)
            << "text " << testing::PrintToString(std::wstring(c.text)) << " pattern "
            << testing::PrintToString(std::wstring(c.pattern)) << " ignoring case";
        EXPECT_EQ(matchesPattern(c.text, c.pattern, LetterCase::Respect), c.respectingCase)
            << "text " << testing::PrintToString(std::wstring(c.text)) << " pattern "
            << testing::PrintToString(std::wstring(c.pattern)) << " respecting case";
    }
}

TEST(WildcardPattern, MalformedPatternRaises93WhateverTheText) {
    const wchar_t* patterns[] = {L"[", L"a[bc", L"[!", L"[z-a]", L"*[9-0]*"};
    for (const wchar_t* pattern : patterns) {
        for (const wchar_t* text : {L"", L"a"}) {
            EXPECT_EQ(errorOf([&] { matchesPattern(text, pattern, LetterCase::Ignore); }), 93)
                << "pattern " << testing::PrintToString(std::wstring(pattern));
        }
    }
}
