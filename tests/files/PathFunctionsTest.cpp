#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "DriveTableFileSystem.h"
#include "FilesTestSupport.h"
#include "files/clsFileString.h"

using namespace korvane;
using namespace korvane::test;

namespace {

// Z and Y both carry \\srv\share, X is a network drive whose share cannot be read, C is local.
std::shared_ptr<DriveTableFileSystem> mappedDrives() {
    return std::make_shared<DriveTableFileSystem>(std::vector<TableDrive>{
        {L'C', DriveType::Fixed, L""},
        {L'D', DriveType::CDRom, L""},
        {L'X', DriveType::Network, L""},
        {L'Y', DriveType::Network, L"\\\\srv\\share"},
        {L'Z', DriveType::Network, L"\\\\srv\\share"},
        {L'M', DriveType::Network, L"\\\\other\\Daten"},
    });
}

struct TextCase {
    const wchar_t* in;
    const wchar_t* expected;
};

using Operation = std::wstring (clsFileString::*)(const std::wstring&);

void expectAll(Operation op, const char* name, std::initializer_list<TextCase> cases) {
    clsFileString files(mappedDrives(), germanCollation());
    for (const auto& c : cases) {
        std::wstring got;
        const int32_t error = errorOf([&] { got = (files.*op)(c.in); });
        EXPECT_EQ(error, 0) << name << "(" << q(c.in) << ") raised";
        EXPECT_EQ(got, c.expected) << name << "(" << q(c.in) << ") gave " << q(got) << ", expected "
                                   << q(c.expected);
    }
}

}  // namespace

TEST(PathFunctions, NameDissection) {
    expectAll(&clsFileString::ermittleVerzeichnis, "ermittleVerzeichnis",
              {{L"C:\\a\\b.txt", L"C:\\a"},
               {L"C:\\b.txt", L"C:"},
               {L"\\\\srv\\share\\f.dft", L"\\\\srv\\share"},
               {L"C:\\a\\", L"C:\\a"},
               {L"C:\\a.b\\c", L"C:\\a.b"},
               {L"C:/a/b.txt", L""},
               {L"b.txt", L""}});
    expectAll(&clsFileString::ermittleDateiName, "ermittleDateiName",
              {{L"C:\\a\\b.txt", L"b.txt"},
               {L"C:\\a\\", L""},
               {L"b.txt", L"b.txt"},
               {L"\\\\srv\\share", L"share"},
               {L"C:/a/b.txt", L"C:/a/b.txt"}});
    expectAll(&clsFileString::ermittleKurzenDateiName, "ermittleKurzenDateiName",
              {{L"C:\\x.y\\readme", L"readme"},
               {L"a.b.c", L"a.b"},
               {L".profile", L""},
               {L"C:\\a\\b.txt", L"b"},
               {L"name.", L"name"},
               {L"C:\\a\\", L""}});
    expectAll(&clsFileString::ermittleErweiterung, "ermittleErweiterung",
              {{L"archive.tar.gz", L"gz"},
               {L"C:\\x.y\\readme", L""},
               {L".profile", L"profile"},
               {L"name.", L""},
               {L"C:\\a\\B.DFT", L"DFT"}});
    expectAll(&clsFileString::ermittleLangerDateiNameOhneErweiterung, "ermittleLangerDateiNameOhneErweiterung",
              {{L"C:\\a\\b.txt", L"C:\\a\\b"},
               {L"abc.txt", L"\\abc"},
               {L"C:\\x.y\\readme", L"C:\\x.y\\readme"},
               {L"C:\\a\\", L"C:\\a\\"}});
}

TEST(PathFunctions, DriveLetterToShare) {
    expectAll(&clsFileString::ermittleUNC, "ermittleUNC",
              {{L"Z", L"\\\\srv\\share"},
               {L"z", L"\\\\srv\\share"},
               {L"Zebra", L"\\\\srv\\share"},
               {L"m:", L"\\\\other\\Daten"},
               {L"C", L"C:"},
               {L"c", L"c:"},
               {L"D", L"D:"},
               {L"Q", L"Q:"},
               {L"X", L"X:"}});
    expectAll(&clsFileString::ermittleUNCundLangerDateiName, "ermittleUNCundLangerDateiName",
              {{L"Z:\\a", L"\\\\srv\\share\\a"},
               {L"z:\\A\\B.dft", L"\\\\srv\\share\\A\\B.dft"},
               {L"C:\\a", L"c:\\a"},
               {L"Q:\\a", L"q:\\a"},
               {L"Z", L"Z"},
               {L"Za\\b", L"Za\\b"},
               {L"1:\\a", L"1:\\a"},
               {L"\\\\srv\\share\\a", L"\\\\srv\\share\\a"}});
    expectAll(&clsFileString::ermittleLaufwerkUndLangenDateiNamen, "ermittleLaufwerkUndLangenDateiNamen",
              {{L"\\\\SRV\\share\\a\\b", L"z:\\a\\b"},
               {L"\\\\srv\\share", L"z:"},
               {L"\\\\other\\daten\\x.dft", L"m:\\x.dft"},
               {L"\\\\srv\\unmapped\\a", L"\\\\srv\\unmapped\\a"},
               {L"C:\\a", L"c:\\a"},
               {L"Q:\\a", L"q:\\a"},
               {L"a\\b", L"a\\b"}});
}

TEST(PathFunctions, ConvertToUncForm) {
    struct Case {
        Variant in;
        const wchar_t* expected;
        int32_t error;
    };
    const Case cases[] = {
        {Variant(L"Z:\\a\\b.dft"), L"\\\\srv\\share\\a\\b.dft", 0},
        {Variant(L"z:\\a\\b.dft"), L"\\\\srv\\share\\a\\b.dft", 0},
        {Variant(L"C:\\a\\b.dft"), L"C:\\a\\b.dft", 0},
        {Variant(L"c:\\a\\b.dft"), L"c:\\a\\b.dft", 0},
        {Variant(L"\\\\srv\\share\\a"), L"\\\\srv\\share\\a", 0},
        {Variant(L"1:\\a"), L"", 0},
        {Variant(L"\u00c4:\\a"), L"\u00c4:\\a", 0},  // "Ä" sorts between A and Z: a local drive
        {Variant(L"\\a\\b"), L"", 0},
        {Variant(L"Z?x"), L"\\\\srv\\sharex", 0},
        {Variant(L"X:\\a"), L"X:\\a", 0},
        {Variant(L"C"), L"", rt::InvalidArgument},
        {Variant(), L"", rt::InvalidArgument},
        {Variant::i4(42), L"", 0},
    };
    clsFileString files(mappedDrives(), germanCollation());
    for (const auto& c : cases) {
        std::wstring got;
        const int32_t error = errorOf([&] { got = files.convertNachUNC(c.in); });
        EXPECT_EQ(error, c.error) << "convertNachUNC(" << toUtf8(c.in.describe()) << ") error";
        EXPECT_EQ(got, c.expected) << "convertNachUNC(" << toUtf8(c.in.describe()) << ") gave " << q(got);
    }
}

TEST(PathFunctions, UnreadableShareNameLeavesTheLetterAndStopsTheWalk) {
    // X is the first network drive of that letter; a second entry with a readable share must not be used.
    auto drives = std::make_shared<DriveTableFileSystem>(std::vector<TableDrive>{
        {L'X', DriveType::Network, L""}, {L'X', DriveType::Network, L"\\\\late\\share"}});
    clsFileString files(drives);
    EXPECT_EQ(files.ermittleUNC(L"x"), L"x:");
    EXPECT_EQ(drives->shareReads, 1);
}

TEST(PathFunctions, RemoveEnclosingQuotes) {
    struct Case {
        const wchar_t* in;
        const wchar_t* expected;
        int32_t error;
    };
    const Case cases[] = {
        {L"\"C:\\a b\\c.dft\"", L"C:\\a b\\c.dft", 0},
        {L"\"C:\\a", L"C:\\", 0},
        {L"\"\"", L"", 0},
        {L"\"a", L"", 0},
        {L"C:\\a\"", L"C:\\a\"", 0},
        {L"", L"", 0},
        {L"\"", L"", rt::InvalidArgument},
    };
    clsFileString files(mappedDrives(), germanCollation());
    for (const auto& c : cases) {
        Variant got;
        const int32_t error = errorOf([&] { got = files.entferneAnfuehrungsZeichen(c.in); });
        EXPECT_EQ(error, c.error) << "entferneAnfuehrungsZeichen(" << q(c.in) << ") error";
        if (c.error == 0) {
            EXPECT_EQ(got.type(), VarType::Text) << "entferneAnfuehrungsZeichen(" << q(c.in) << ") kind";
            EXPECT_EQ(got.toText(), c.expected) << "entferneAnfuehrungsZeichen(" << q(c.in) << ")";
        }
    }
}

TEST(PathFunctions, CreatingWithoutFileSystemFailsWith429) {
    EXPECT_EQ(errorOf([] { clsFileString files(nullptr); }), rt::CannotCreateObject);
#ifndef _WIN32
    // A POSIX host has no file system to assume for the default constructor.
    EXPECT_EQ(errorOf([] { clsFileString files; }), rt::CannotCreateObject);
#endif
}
