// The pure name functions of the file service against a drive table: the dissection of a name,
// the drive and UNC conversions, the quotes, on plain names and on names nobody types on purpose
// (empty, one character, lone quotes, only backslashes, very long, non-ASCII, embedded NUL). Each
// result is the documented one; the only failures allowed are the documented errors. The
// invariants that hold for any text are checked in RandomizedTest.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "DriveTableFileSystem.h"
#include "FilesTestSupport.h"
#include "files/clsFileString.h"

using namespace korvane;
using namespace korvane::test;
using namespace std::string_literals;

namespace {

constexpr size_t VeryLong = 70000;

const std::wstring kShare = L"\\\\srv\\share";
const std::wstring kLongWord(VeryLong, L'a');
const std::wstring kBackslashes(VeryLong, L'\\');

// Z and Y both carry \\srv\share, X is a network drive whose share cannot be read, C is local.
std::shared_ptr<DriveTableFileSystem> mappedDrives() {
    return std::make_shared<DriveTableFileSystem>(std::vector<TableDrive>{
        {L'C', DriveType::Fixed, L""},
        {L'X', DriveType::Network, L""},
        {L'Y', DriveType::Network, kShare},
        {L'Z', DriveType::Network, kShare},
        {L'M', DriveType::Network, L"\\\\other\\Daten"},
    });
}

const Outcome kInvalidArgument{5, L""};

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
        {"quote and letter", L"\"a", L"", L"\"a", L"\"a", L"", L"\\\"a", L"\"a", ok(L""), ok(L""), L"\"a"},
        {"one backslash", L"\\", L"", L"", L"", L"", L"\\", L"\\", kInvalidArgument, ok(L"\\"), L"\\"},
        {"two backslashes", L"\\\\", L"\\", L"", L"", L"", L"\\\\", L"\\\\", ok(L"\\\\"), ok(L"\\\\"), L"\\\\"},
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
        {"embedded NUL", L"C:\\or\0dner\\da\0tei.d\0ft"s, L"C:\\or\0dner"s, L"da\0tei.d\0ft"s, L"da\0tei"s, L"d\0ft"s,
         L"C:\\or\0dner\\da\0tei"s, L"c:\\or\0dner\\da\0tei.d\0ft"s, ok(L"C:\\or\0dner\\da\0tei.d\0ft"s),
         ok(L"C:\\or\0dner\\da\0tei.d\0ft"s), L"c:\\or\0dner\\da\0tei.d\0ft"s},
        {"NUL first", L"\0:\\x"s, L"\0:"s, L"x", L"x", L"", L"\0:\\x"s, L"\0:\\x"s, ok(L""), ok(L"\0:\\x"s),
         L"\0:\\x"s},
    };
    return rows;
}

}  // namespace

TEST(PathFunctions, OddNamesGiveTheDocumentedResults) {
    clsFileString files(mappedDrives(), germanCollation());
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
        EXPECT_EQ(unc, row.unc) << "convertNachUNC gave " << describe(unc) << ", expected " << describe(row.unc);
        const Outcome unquoted = outcomeOf([&] { return files.entferneAnfuehrungsZeichen(row.name).toText(); });
        EXPECT_EQ(unquoted, row.unquoted)
            << "entferneAnfuehrungsZeichen gave " << describe(unquoted) << ", expected " << describe(row.unquoted);
    }
}

TEST(PathFunctions, PlainNames) {
    clsFileString files(mappedDrives(), germanCollation());
    using Operation = std::wstring (clsFileString::*)(const std::wstring&);
    struct Case {
        const char* function;
        Operation op;
        std::wstring in;
        std::wstring expected;
    };
    const Case cases[] = {
        {"ermittleKurzenDateiName", &clsFileString::ermittleKurzenDateiName, L"a.b.c", L"a.b"},
        {"ermittleErweiterung", &clsFileString::ermittleErweiterung, L"archive.tar.gz", L"gz"},
        // Only the first character counts as the letter.
        {"ermittleUNC", &clsFileString::ermittleUNC, L"Z", kShare},
        {"ermittleUNC", &clsFileString::ermittleUNC, L"z", kShare},
        {"ermittleUNC", &clsFileString::ermittleUNC, L"m:", L"\\\\other\\Daten"},
        {"ermittleUNC", &clsFileString::ermittleUNC, L"c", L"c:"},
        {"ermittleUNC", &clsFileString::ermittleUNC, L"X", L"X:"},
        {"ermittleUNC", &clsFileString::ermittleUNC, L"", L":"},
        {"ermittleUNC", &clsFileString::ermittleUNC, L"\0"s, L"\0:"s},
        {"ermittleUNC", &clsFileString::ermittleUNC, L"ä", L"ä:"},
        {"ermittleUNC", &clsFileString::ermittleUNC, L"z" + kLongWord, kShare},
        {"ermittleUNC", &clsFileString::ermittleUNC, kBackslashes, L"\\:"},
        {"ermittleUNCundLangerDateiName", &clsFileString::ermittleUNCundLangerDateiName, L"z:\\A\\B.dft",
         kShare + L"\\A\\B.dft"},
        {"ermittleUNCundLangerDateiName", &clsFileString::ermittleUNCundLangerDateiName, L"1:\\a", L"1:\\a"},
        {"ermittleLaufwerkUndLangenDateiNamen", &clsFileString::ermittleLaufwerkUndLangenDateiNamen,
         L"\\\\SRV\\share\\a\\b", L"z:\\a\\b"},
        {"ermittleLaufwerkUndLangenDateiNamen", &clsFileString::ermittleLaufwerkUndLangenDateiNamen, kShare, L"z:"},
        {"ermittleLaufwerkUndLangenDateiNamen", &clsFileString::ermittleLaufwerkUndLangenDateiNamen,
         L"\\\\other\\daten\\x.dft", L"m:\\x.dft"},
        {"ermittleLaufwerkUndLangenDateiNamen", &clsFileString::ermittleLaufwerkUndLangenDateiNamen,
         L"\\\\srv\\unmapped\\a", L"\\\\srv\\unmapped\\a"},
    };
    for (const auto& c : cases) {
        const Outcome got = outcomeOf([&] { return (files.*c.op)(c.in); });
        EXPECT_EQ(got, ok(c.expected)) << c.function << "(" << q(c.in) << ") gave " << describe(got);
    }
}

TEST(PathFunctions, ConvertToUncForm) {
    struct Case {
        Variant in;
        Outcome expected;
    };
    const Case cases[] = {
        {Variant(L"z:\\a\\b.dft"), ok(L"\\\\srv\\share\\a\\b.dft")},
        {Variant(L"1:\\a"), ok(L"")},
        {Variant(L"\\a\\b"), ok(L"")},
        {Variant(L"Z?x"), ok(L"\\\\srv\\sharex")},
        {Variant(), kInvalidArgument},
        {Variant::i4(42), ok(L"")},
    };
    clsFileString files(mappedDrives(), germanCollation());
    for (const auto& c : cases) {
        const Outcome got = outcomeOf([&] { return files.convertNachUNC(c.in); });
        EXPECT_EQ(got, c.expected) << "convertNachUNC(" << toUtf8(c.in.describe()) << ") gave " << describe(got);
    }
}

TEST(PathFunctions, RemovingQuotesTakesTheFirstAndLastCharacterAndGivesAText) {
    clsFileString files(mappedDrives(), germanCollation());
    const Variant got = files.entferneAnfuehrungsZeichen(L"\"C:\\a");
    EXPECT_EQ(got.type(), VarType::Text);
    EXPECT_EQ(got.toText(), L"C:\\");
}

TEST(PathFunctions, UnreadableShareNameLeavesTheLetterAndStopsTheWalk) {
    // X is the first network drive of that letter; a second entry with a readable share must not be used.
    auto drives = std::make_shared<DriveTableFileSystem>(std::vector<TableDrive>{
        {L'X', DriveType::Network, L""}, {L'X', DriveType::Network, L"\\\\late\\share"}});
    clsFileString files(drives);
    EXPECT_EQ(files.ermittleUNC(L"x"), L"x:");
    EXPECT_EQ(drives->shareReads, 1);
}

TEST(PathFunctions, CreatingWithoutFileSystemFailsWith429) {
    EXPECT_EQ(errorOf([] { clsFileString files(nullptr); }), rt::CannotCreateObject);
#ifndef _WIN32
    // A POSIX host has no file system to assume for the default constructor.
    EXPECT_EQ(errorOf([] { clsFileString files; }), rt::CannotCreateObject);
#endif
}
