// Letter case and ranges in the user's collation: the file class's patterns and comparisons,
// checked in a German collation whatever the machine's locale; the census keeps binary matching.
// (That the file listings filter in the collation given is checked in FileOperationsTest.)
#include <gtest/gtest.h>

#include <string>

#include "FilesTestSupport.h"
#include "files/Collation.h"

using namespace korvane;
using namespace korvane::test;

constexpr int Invalid = 93;

TEST(Collation, PatternsInAGermanCollationAndInCodeOrder) {
    struct Case {
        const wchar_t* text;
        const wchar_t* pattern;
        int german;  // ignoring case in a German collation
        int binary;  // respecting case, code order (the census)
    };
    const Case cases[] = {
        {L"Übersicht.dft", L"[A-Z]*", 1, 0},
        {L"Übersicht.dft", L"[!A-Z]*", 0, 1},
        {L"é", L"[a-f]", 1, 0},
        {L"ß", L"[a-z]", 1, 0},
        {L"Ü", L"[U]", 0, 0},
        {L"1", L"[A-Z]", 0, 0},
        {L"_", L"[A-z]", 0, 1},
        {L"m", L"[a-Z]", 1, Invalid},
        {L"B", L"[Ä-Z]", 1, Invalid},
        {L"b", L"[z-a]", Invalid, Invalid},
        {L"A", L"[a-a]", 1, 0},
        {L"ÄRGER.DFT", L"ärger.dft", 1, 0},
        {L"ΣΧΈΔΙΟ", L"σχέδιο", 1, 0},
        {L"ЧЕРТЁЖ", L"черт?ж", 1, 0},
        {L"ЧЕРТЕЖ", L"чертёж", 0, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(matchOutcome(c.text, c.pattern, &germanCollation()), c.german)
            << q(c.text) << " against " << q(c.pattern) << ", German collation";
        EXPECT_EQ(matchOutcome(c.text, c.pattern, nullptr), c.binary)
            << q(c.text) << " against " << q(c.pattern) << ", binary";
    }
}

TEST(Collation, FoldsAndComparesEveryAlphabet) {
    const Collation& german = germanCollation();
    EXPECT_EQ(toUtf8(german.lowerCased(L"ÄÖÜ ΣΩ ДЖЁ ŁĄ ABC")), toUtf8(L"äöü σω джё łą abc"));
    EXPECT_EQ(german.lowerCased(L""), L"");
    EXPECT_TRUE(german.equal(L"\\\\SRV\\Daten", L"\\\\srv\\daten"));
    EXPECT_FALSE(german.equal(L"\\\\srv\\daten", L"\\\\srv\\datei"));
    EXPECT_FALSE(german.equal(L"a", L"ab"));
    EXPECT_LT(german.compare(L'U', L'ü'), 0);
    EXPECT_LT(german.compare(L'ü', L'V'), 0);
    EXPECT_EQ(german.compare(L'Ä', L'ä'), 0);
    EXPECT_EQ(errorOf([] { Collation unknown(L"xx-Nirgendwo"); }), 5);
}
