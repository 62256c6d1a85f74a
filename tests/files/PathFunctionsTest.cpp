// The pure name functions of the file service against a drive table: the dissection of a name,
// the drive and UNC conversions, the quotes, on plain names and on names nobody types on purpose
// (empty, one character, lone quotes, only backslashes, very long, non-ASCII). Each result is the
// documented one; the only failures allowed are the documented errors. The invariants that hold
// for any text, NULs and dots in folder names included, are checked in RandomizedTest.
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

}  // namespace

TEST(PathFunctions, OddNamesGiveTheDocumentedResults) {
    const OddName rows[] = {
        {"empty", L"", L"", L"", L"", L"", L"\\", L"", kInvalidArgument, ok(L""), L""},
        {"one letter", L"a", L"", L"a", L"a", L"", L"\\a", L"a", kInvalidArgument, ok(L"a"), L"a"},
        {"lone quote", L"\"", L"", L"\"", L"\"", L"", L"\\\"", L"\"", kInvalidArgument, kInvalidArgument, L"\""},
        {"quote and letter", L"\"a", L"", L"\"a", L"\"a", L"", L"\\\"a", L"\"a", ok(L""), ok(L""), L"\"a"},
        {"one backslash", L"\\", L"", L"", L"", L"", L"\\", L"\\", kInvalidArgument, ok(L"\\"), L"\\"},
        {"only backslashes, very long", kBackslashes, kBackslashes.substr(1), L"", L"", L"", kBackslashes,
         kBackslashes, ok(kBackslashes), ok(kBackslashes), kBackslashes},
        {"drive and colon only", L"Z:", L"", L"Z:", L"Z:", L"", L"\\Z:", kShare, ok(kShare), ok(L"Z:"), L"Z:"},
        {"very long name on a network drive", L"Z:\\" + kLongWord + L".dft", L"Z:", kLongWord + L".dft", kLongWord,
         L"dft", L"Z:\\" + kLongWord, kShare + L"\\" + kLongWord + L".dft", ok(kShare + L"\\" + kLongWord + L".dft"),
         ok(L"Z:\\" + kLongWord + L".dft"), L"Z:\\" + kLongWord + L".dft"},
        {"umlauts", L"C:\\Zeichnungen\\Größe.Äbc", L"C:\\Zeichnungen", L"Größe.Äbc", L"Größe", L"Äbc",
         L"C:\\Zeichnungen\\Größe", L"c:\\Zeichnungen\\Größe.Äbc", ok(L"C:\\Zeichnungen\\Größe.Äbc"),
         ok(L"C:\\Zeichnungen\\Größe.Äbc"), L"c:\\Zeichnungen\\Größe.Äbc"},
        // In a German collation an umlaut lies between A and Z: a (local) drive letter to both conversions.
        {"umlaut as drive letter", L"Ä:\\x", L"Ä:", L"x", L"x", L"", L"Ä:\\x", L"ä:\\x", ok(L"Ä:\\x"), ok(L"Ä:\\x"),
         L"Ä:\\x"},
    };
    clsFileString files(mappedDrives(), germanCollation());
    for (const OddName& row : rows) {
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
#define KORVANE_OP(name) #name, &clsFileString::name
    struct Case {
        const char* function;
        Operation op;
        std::wstring in;
        std::wstring expected;
    };
    const Case cases[] = {
        {KORVANE_OP(ermittleKurzenDateiName), L"a.b.c", L"a.b"},
        {KORVANE_OP(ermittleErweiterung), L"archive.tar.gz", L"gz"},
        // Only the first character counts as the letter.
        {KORVANE_OP(ermittleUNC), L"z", kShare},
        {KORVANE_OP(ermittleUNC), L"m:", L"\\\\other\\Daten"},
        {KORVANE_OP(ermittleUNC), L"c", L"c:"},
        {KORVANE_OP(ermittleUNC), L"X", L"X:"},
        {KORVANE_OP(ermittleUNC), L"", L":"},
        {KORVANE_OP(ermittleUNC), L"\0"s, L"\0:"s},
        {KORVANE_OP(ermittleUNC), L"ä", L"ä:"},
        {KORVANE_OP(ermittleUNC), L"z" + kLongWord, kShare},
        {KORVANE_OP(ermittleUNC), kBackslashes, L"\\:"},
        {KORVANE_OP(ermittleUNCundLangerDateiName), L"z:\\A\\B.dft", kShare + L"\\A\\B.dft"},
        {KORVANE_OP(ermittleUNCundLangerDateiName), L"1:\\a", L"1:\\a"},
        {KORVANE_OP(ermittleLaufwerkUndLangenDateiNamen), L"\\\\SRV\\share\\a\\b", L"z:\\a\\b"},
        {KORVANE_OP(ermittleLaufwerkUndLangenDateiNamen), kShare, L"z:"},
        {KORVANE_OP(ermittleLaufwerkUndLangenDateiNamen), L"\\\\other\\daten\\x.dft", L"m:\\x.dft"},
        {KORVANE_OP(ermittleLaufwerkUndLangenDateiNamen), L"\\\\srv\\unmapped\\a", L"\\\\srv\\unmapped\\a"},
    };
    for (const auto& c : cases) {
        const Outcome got = outcomeOf([&] { return (files.*c.op)(c.in); });
        EXPECT_EQ(got, ok(c.expected)) << c.function << "(" << q(c.in) << ") gave " << describe(got);
    }
#undef KORVANE_OP
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
