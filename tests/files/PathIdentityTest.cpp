// One name per file: the pure normalization of a spelling, and the identity that also replaces a
// network drive by its share and folds letter case as the user's collation does.
#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "automation/TextConvert.h"
#include "files/DriveTableFileSystem.h"
#include "files/FilesTestSupport.h"
#include "files/PathIdentity.h"
#include "files/PathText.h"

namespace korvane {
namespace {

struct Spelling {
    const wchar_t* text;
    const wchar_t* base;
    const wchar_t* normalized;  // "" when it names no path
};

TEST(NormalizedPath, EverySpellingWindowsAcceptsGivesOnePath) {
    const std::vector<Spelling> rows = {
        {L"Y:\\Archiv\\Welle.dft", L"", L"Y:\\Archiv\\Welle.dft"},
        {L"y:/Archiv//Welle.dft", L"", L"Y:\\Archiv\\Welle.dft"},
        {L"  \"Y:\\Archiv\\Welle.dft\"  ", L"", L"Y:\\Archiv\\Welle.dft"},
        {L"Y:\\Archiv\\.\\x\\..\\Welle.dft", L"", L"Y:\\Archiv\\Welle.dft"},
        {L"Y:\\Archiv\\Welle.dft. . ", L"", L"Y:\\Archiv\\Welle.dft"},
        {L"Y:\\Archiv\\", L"", L"Y:\\Archiv"},
        {L"Y:\\..\\..\\Archiv", L"", L"Y:\\Archiv"},
        {L"Y:", L"", L"Y:\\"},
        {L"\\\\?\\Y:\\Archiv\\Welle.dft", L"", L"Y:\\Archiv\\Welle.dft"},
        {L"\\\\?\\UNC\\srv\\daten\\Welle.dft", L"", L"\\\\srv\\daten\\Welle.dft"},
        {L"\\\\srv\\daten\\Archiv\\..\\..\\Welle.dft", L"", L"\\\\srv\\daten\\Welle.dft"},
        {L"//srv/daten/Archiv/", L"", L"\\\\srv\\daten\\Archiv"},
        // Relative spellings start from the base; a root-relative one from the base's root.
        {L".\\Zeichnungen\\Welle.dft", L"Y:\\Listen", L"Y:\\Listen\\Zeichnungen\\Welle.dft"},
        {L"Zeichnungen\\Welle.dft", L"Y:\\Listen\\", L"Y:\\Listen\\Zeichnungen\\Welle.dft"},
        {L"..\\Archiv\\Welle.dft", L"\\\\srv\\daten\\Listen", L"\\\\srv\\daten\\Archiv\\Welle.dft"},
        {L"\\Archiv\\Welle.dft", L"\\\\srv\\daten\\Listen", L"\\\\srv\\daten\\Archiv\\Welle.dft"},
        {L"Y:Welle.dft", L"Y:\\Listen", L"Y:\\Listen\\Welle.dft"},
        {L"C:Welle.dft", L"Y:\\Listen", L"C:\\Welle.dft"},
        {L"\"#12 Lagerbock.dft\"", L"Y:\\Listen", L"Y:\\Listen\\#12 Lagerbock.dft"},
        // No path at all.
        {L"", L"Y:\\", L""},
        {L"\"\"", L"Y:\\", L""},
        {L"Welle.dft", L"", L""},
        {L"\\\\srv", L"", L""},
        {L"\\\\srv\\", L"", L""},
    };
    for (const Spelling& row : rows) {
        EXPECT_EQ(std::wstring(row.normalized), normalizedPath(row.text, row.base))
            << "spelling '" << toUtf8(row.text) << "' from '" << toUtf8(row.base) << "'";
    }
}

TEST(NormalizedPath, PathsBelowAFolderAndBelowTheirRoot) {
    EXPECT_TRUE(isWithinFolder(L"y:\\archiv\\a.dft", L"y:\\archiv"));
    EXPECT_TRUE(isWithinFolder(L"y:\\archiv", L"y:\\archiv"));
    EXPECT_TRUE(isWithinFolder(L"y:\\archiv", L"y:\\"));
    EXPECT_FALSE(isWithinFolder(L"y:\\archiv2\\a.dft", L"y:\\archiv"));
    EXPECT_FALSE(isWithinFolder(L"y:\\arc", L"y:\\archiv"));
    EXPECT_FALSE(isWithinFolder(L"y:\\archiv", L""));
    EXPECT_EQ(L"srv\\daten\\a.dft", pathBelowRoot(L"\\\\srv\\daten\\a.dft"));
    EXPECT_EQ(L"C\\x\\a.dft", pathBelowRoot(L"C:\\x\\a.dft"));
}

// Each group names one file in every way; no two groups may share a key.
TEST(PathIdentityOf, EachFileHasOneKeyWhateverItsSpelling) {
    auto drives = std::make_shared<test::DriveTableFileSystem>(std::vector<test::TableDrive>{
        {L'C', DriveType::Fixed, L""}, {L'Y', DriveType::Network, L"\\\\fileserver\\daten"},
        {L'Z', DriveType::Network, L"\\\\FILESERVER\\Daten\\"}});
    PathIdentity identity(drives, test::germanCollation());
    const std::vector<std::vector<std::wstring>> groups = {
        {L"Y:\\Archiv\\Größe Ä.dft",
         L"\\\\fileserver\\daten\\Archiv\\Größe Ä.dft", L"\\\\FILESERVER\\DATEN\\ARCHIV\\GRÖßE Ä.DFT",
         L"Z:\\Archiv\\größe ä.dft", L"\"Y:\\Archiv\\.\\Größe Ä.dft\"", L"Y:\\x\\..\\Archiv\\Größe Ä.dft.",
         L"\\\\?\\UNC\\fileserver\\daten\\Archiv\\Größe Ä.dft", L"Y:/Archiv/Größe Ä.dft"},
        {L"C:\\Archiv\\Größe Ä.dft", L"c:\\ARCHIV\\größe ä.dft", L"\\\\?\\C:\\Archiv\\Größe Ä.dft"},
        {L"\\\\anderer\\daten\\Archiv\\Größe Ä.dft"},
        {L"Y:\\Archiv\\Grösse Ä.dft"},
    };
    std::set<std::wstring> keysOfGroups;
    for (const auto& group : groups) {
        std::set<std::wstring> keys;
        for (const std::wstring& spelling : group) {
            keys.insert(identity.of(spelling).key);
        }
        EXPECT_EQ(1u, keys.size()) << "spellings of " << toUtf8(group.front()) << " give " << keys.size() << " keys";
        EXPECT_TRUE(keysOfGroups.insert(*keys.begin()).second) << toUtf8(group.front()) << " shares its key";
    }
    // The canonical path keeps the spelling's letters and names the share, not the drive.
    EXPECT_EQ(L"\\\\fileserver\\daten\\Archiv\\Größe Ä.dft", identity.of(L"Y:\\Archiv\\Größe Ä.dft").path);
    EXPECT_EQ(L"\\\\fileserver\\daten\\Listen\\a.dft", identity.of(L"..\\Listen\\a.dft", L"Y:\\Archiv").path);
    // The drives' shares are read once per identity, not once per name.
    EXPECT_EQ(2, drives->shareReads);
}

}  // namespace
}  // namespace korvane
