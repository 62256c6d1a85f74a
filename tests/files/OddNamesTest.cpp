// Names nobody types on purpose, through every pure function of the file service and the pattern
// matcher: empty, one character, lone quotes, only backslashes, very long, non-ASCII, embedded NUL.
// Each result is the documented one; the only failures allowed are the documented errors.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "DriveTableFileSystem.h"
#include "FilesTestSupport.h"
#include "files/WildcardPattern.h"
#include "files/clsFileString.h"

using namespace korvane;
using namespace korvane::test;
using namespace std::string_literals;

namespace {

constexpr size_t VeryLong = 70000;

const std::wstring kShare = L"\\\\srv\\share";
const std::wstring kLongWord(VeryLong, L'a');
const std::wstring kBackslashes(VeryLong, L'\\');

clsFileString filesWithDrives() {
    return clsFileString(std::make_shared<DriveTableFileSystem>(
        std::vector<TableDrive>{{L'C', DriveType::Fixed, L""}, {L'Z', DriveType::Network, kShare}}),
        germanCollation());
}

// A result that is either a text or a runtime error number.
struct Outcome {
    int32_t error = 0;
    std::wstring text;
};
Outcome ok(std::wstring text) { return {0, std::move(text)}; }
const Outcome kInvalidArgument{5, L""};

template <class F>
Outcome outcomeOf(F&& f) {
    Outcome o;
    o.error = errorOf([&] { o.text = f(); });
    return o;
}

std::string describe(const Outcome& o) { return o.error ? "error " + std::to_string(o.error) : q(o.text); }

struct OddName {
    const char* what;
    std::wstring name;
    std::wstring folder, file, shortName, extension, withoutExtension, uncAndLong;
    Outcome unc;       // convertNachUNC
    Outcome unquoted;  // entferneAnfuehrungsZeichen
    std::wstring driveAndLong;
};

const std::vector<OddName>& oddNames() {
    static const std::vector<OddName> rows = {
        {"empty", L"", L"", L"", L"", L"", L"\\", L"", kInvalidArgument, ok(L""), L""},
        {"one letter", L"a", L"", L"a", L"a", L"", L"\\a", L"a", kInvalidArgument, ok(L"a"), L"a"},
        {"one dot", L".", L"", L".", L"", L"", L"\\", L".", kInvalidArgument, ok(L"."), L"."},
        {"lone quote", L"\"", L"", L"\"", L"\"", L"", L"\\\"", L"\"", kInvalidArgument, kInvalidArgument, L"\""},
        {"two quotes", L"\"\"", L"", L"\"\"", L"\"\"", L"", L"\\\"\"", L"\"\"", ok(L""), ok(L""), L"\"\""},
        {"quote and letter", L"\"a", L"", L"\"a", L"\"a", L"", L"\\\"a", L"\"a", ok(L""), ok(L""), L"\"a"},
        {"one backslash", L"\\", L"", L"", L"", L"", L"\\", L"\\", kInvalidArgument, ok(L"\\"), L"\\"},
        {"two backslashes", L"\\\\", L"\\", L"", L"", L"", L"\\\\", L"\\\\", ok(L"\\\\"), ok(L"\\\\"), L"\\\\"},
        {"three backslashes", L"\\\\\\", L"\\\\", L"", L"", L"", L"\\\\\\", L"\\\\\\", ok(L"\\\\\\"), ok(L"\\\\\\"),
         L"\\\\\\"},
        {"only backslashes, very long", kBackslashes, kBackslashes.substr(1), L"", L"", L"", kBackslashes,
         kBackslashes, ok(kBackslashes), ok(kBackslashes), kBackslashes},
        {"drive and colon only", L"Z:", L"", L"Z:", L"Z:", L"", L"\\Z:", kShare, ok(kShare), ok(L"Z:"), L"Z:"},
        {"very long name on a network drive", L"Z:\\" + kLongWord + L".dft", L"Z:", kLongWord + L".dft", kLongWord,
         L"dft", L"Z:\\" + kLongWord, kShare + L"\\" + kLongWord + L".dft", ok(kShare + L"\\" + kLongWord + L".dft"),
         ok(L"Z:\\" + kLongWord + L".dft"), L"Z:\\" + kLongWord + L".dft"},
        {"very long UNC name of a mapped share", kShare + L"\\" + kLongWord, kShare, kLongWord, kLongWord, L"",
         kShare + L"\\" + kLongWord, kShare + L"\\" + kLongWord, ok(kShare + L"\\" + kLongWord),
         ok(kShare + L"\\" + kLongWord), L"z:\\" + kLongWord},
        {"very long quoted", L"\"" + kLongWord + L"\"", L"", L"\"" + kLongWord + L"\"", L"\"" + kLongWord + L"\"", L"",
         L"\\\"" + kLongWord + L"\"", L"\"" + kLongWord + L"\"", ok(L""), ok(kLongWord), L"\"" + kLongWord + L"\""},
        {"umlauts", L"C:\\Zeichnungen\\Größe.Äbc", L"C:\\Zeichnungen", L"Größe.Äbc", L"Größe", L"Äbc",
         L"C:\\Zeichnungen\\Größe", L"c:\\Zeichnungen\\Größe.Äbc", ok(L"C:\\Zeichnungen\\Größe.Äbc"),
         ok(L"C:\\Zeichnungen\\Größe.Äbc"), L"c:\\Zeichnungen\\Größe.Äbc"},
        // In a German collation an umlaut lies between A and Z: a (local) drive letter to both conversions.
        {"umlaut as drive letter", L"Ä:\\x", L"Ä:", L"x", L"x", L"", L"Ä:\\x", L"ä:\\x", ok(L"Ä:\\x"), ok(L"Ä:\\x"),
         L"Ä:\\x"},
        {"CJK", L"C:\\図面\\軸.dft", L"C:\\図面", L"軸.dft", L"軸", L"dft", L"C:\\図面\\軸", L"c:\\図面\\軸.dft",
         ok(L"C:\\図面\\軸.dft"), ok(L"C:\\図面\\軸.dft"), L"c:\\図面\\軸.dft"},
        {"embedded NUL", L"C:\\or\0dner\\da\0tei.d\0ft"s, L"C:\\or\0dner"s, L"da\0tei.d\0ft"s, L"da\0tei"s, L"d\0ft"s,
         L"C:\\or\0dner\\da\0tei"s, L"c:\\or\0dner\\da\0tei.d\0ft"s, ok(L"C:\\or\0dner\\da\0tei.d\0ft"s),
         ok(L"C:\\or\0dner\\da\0tei.d\0ft"s), L"c:\\or\0dner\\da\0tei.d\0ft"s},
        {"NUL first", L"\0:\\x"s, L"\0:"s, L"x", L"x", L"", L"\0:\\x"s, L"\0:\\x"s, ok(L""), ok(L"\0:\\x"s),
         L"\0:\\x"s},
        {"only NULs", L"\0\0"s, L"", L"\0\0"s, L"\0\0"s, L"", L"\\\0\0"s, L"\0\0"s, ok(L""), ok(L"\0\0"s), L"\0\0"s},
    };
    return rows;
}

TEST(OddNames, PathFunctionsGiveTheDocumentedResults) {
    clsFileString files = filesWithDrives();
    for (const OddName& row : oddNames()) {
        SCOPED_TRACE(row.what);
        EXPECT_EQ(files.ermittleVerzeichnis(row.name), row.folder) << "folder";
        EXPECT_EQ(files.ermittleDateiName(row.name), row.file) << "file name";
        EXPECT_EQ(files.ermittleKurzenDateiName(row.name), row.shortName) << "name without extension";
        EXPECT_EQ(files.ermittleErweiterung(row.name), row.extension) << "extension";
        EXPECT_EQ(files.ermittleLangerDateiNameOhneErweiterung(row.name), row.withoutExtension) << "path without extension";
        EXPECT_EQ(files.ermittleUNCundLangerDateiName(row.name), row.uncAndLong) << "drive path to UNC";
        EXPECT_EQ(files.ermittleLaufwerkUndLangenDateiNamen(row.name), row.driveAndLong) << "UNC to drive path";

        const Outcome unc = outcomeOf([&] { return files.convertNachUNC(Variant(row.name)); });
        EXPECT_TRUE(unc.error == row.unc.error && unc.text == row.unc.text)
            << "convertNachUNC gave " << describe(unc) << ", expected " << describe(row.unc);
        const Outcome unquoted = outcomeOf([&] { return files.entferneAnfuehrungsZeichen(row.name).toText(); });
        EXPECT_TRUE(unquoted.error == row.unquoted.error && unquoted.text == row.unquoted.text)
            << "entferneAnfuehrungsZeichen gave " << describe(unquoted) << ", expected " << describe(row.unquoted);
    }
}

TEST(OddNames, DriveLetterArgumentsTakeOnlyTheFirstCharacter) {
    clsFileString files = filesWithDrives();
    const struct {
        const char* what;
        std::wstring letter;
        std::wstring expected;
    } cases[] = {
        {"empty", L"", L":"},
        {"NUL", L"\0"s, L"\0:"s},
        {"backslash", L"\\", L"\\:"},
        {"quote", L"\"", L"\":"},
        {"umlaut", L"ä", L"ä:"},
        {"long word starting with the network letter", L"z" + kLongWord, kShare},
        {"only backslashes, very long", kBackslashes, L"\\:"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(files.ermittleUNC(c.letter), c.expected) << c.what;
    }
}

// Every odd name as a text against patterns any text must match, and as a pattern of its own.
TEST(OddNames, MatcherHandlesEveryOddNameAsTextAndAsPattern) {
    for (const OddName& row : oddNames()) {
        SCOPED_TRACE(row.what);
        for (LetterCase mode : {LetterCase::Ignore, LetterCase::Respect}) {
            EXPECT_TRUE(matchesPattern(row.name, L"*", mode));
            if (!row.name.empty()) {
                EXPECT_TRUE(matchesPattern(row.name, L"*" + row.name.substr(row.name.size() - 1), mode));
            }
            EXPECT_TRUE(matchesPattern(row.name, std::wstring(row.name.size(), L'?'), mode));
            EXPECT_FALSE(matchesPattern(row.name, std::wstring(row.name.size() + 1, L'?'), mode));
            // None of the names holds a pattern character, so each is a pattern for itself alone.
            EXPECT_TRUE(matchesPattern(row.name, row.name, mode));
            EXPECT_FALSE(matchesPattern(row.name + L"x", row.name, mode));
        }
    }
}

TEST(OddNames, OddPatternsMatchOrRaiseTheDocumentedError) {
    const struct {
        const char* what;
        std::wstring text;
        std::wstring pattern;
        LetterCase mode;
        Outcome expected;  // "1" a match, "0" none, or error 93
    } cases[] = {
        {"lone bracket", L"a", L"[", LetterCase::Respect, {93, L""}},
        {"unclosed list after a star", L"a", L"*[a", LetterCase::Ignore, {93, L""}},
        {"lone negation", L"a", L"[!", LetterCase::Respect, {93, L""}},
        {"descending range", L"b", L"[z-a]", LetterCase::Respect, {93, L""}},
        {"empty list is no character", L"", L"[]", LetterCase::Respect, ok(L"1")},
        {"empty list takes no character", L"a", L"[]", LetterCase::Respect, ok(L"0")},
        {"empty negated list is any character", L"a", L"[!]", LetterCase::Respect, ok(L"1")},
        {"lone dash in a list", L"-", L"[-]", LetterCase::Respect, ok(L"1")},
        {"NUL in a list", L"\0"s, L"[\0]"s, LetterCase::Respect, ok(L"1")},
        {"NUL between stars", L"a\0b"s, L"*\0*"s, LetterCase::Respect, ok(L"1")},
        {"digit is ASCII only", L"\u0663", L"#", LetterCase::Respect, ok(L"0")},
        {"umlaut case ignored", L"\u00e4", L"\u00c4", LetterCase::Ignore, ok(L"1")},
        {"umlaut case respected", L"\u00e4", L"\u00c4", LetterCase::Respect, ok(L"0")},
        {"umlaut in a range, case ignored", L"\u00c4", L"[\u00e0-\u00ff]", LetterCase::Ignore, ok(L"1")},
        {"very many stars", L"abc", std::wstring(VeryLong, L'*'), LetterCase::Respect, ok(L"1")},
        {"very many stars and a mismatch", L"abc", std::wstring(VeryLong, L'*') + L"d", LetterCase::Respect,
         ok(L"0")},
        {"very long text, star and tail", kLongWord + L".dft", L"*.dft", LetterCase::Ignore, ok(L"1")},
        {"very long text, head and star", kLongWord, L"a*b", LetterCase::Ignore, ok(L"0")},
        {"very long digits", std::wstring(VeryLong, L'7'), std::wstring(VeryLong, L'#'), LetterCase::Respect,
         ok(L"1")},
        {"very long list pattern", kLongWord, L"[" + kLongWord + L"]", LetterCase::Respect, ok(L"0")},
        {"very long unclosed list", L"a", L"[" + kLongWord, LetterCase::Respect, {93, L""}},
    };
    for (const auto& c : cases) {
        const Outcome got = outcomeOf([&] { return std::wstring(matchesPattern(c.text, c.pattern, c.mode) ? L"1" : L"0"); });
        EXPECT_TRUE(got.error == c.expected.error && got.text == c.expected.text)
            << c.what << ": gave " << describe(got) << ", expected " << describe(c.expected);
    }
}

}  // namespace
