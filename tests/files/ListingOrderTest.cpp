// The listings hand on the names in the order the file system enumerates them: no sorting, no grouping
// by pattern. The folder here enumerates in an order no sort would produce.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "DriveTableFileSystem.h"
#include "FilesTestSupport.h"
#include "files/clsFileString.h"

namespace korvane::test {
namespace {

class EnumeratedFolder : public DriveTableFileSystem {
public:
    EnumeratedFolder(std::vector<std::wstring> files, std::vector<std::wstring> folders)
        : DriveTableFileSystem({}), files_(std::move(files)), folders_(std::move(folders)) {}
    std::vector<std::wstring> fileNames(const std::wstring&) override { return files_; }
    std::vector<std::wstring> subfolderNames(const std::wstring&) override { return folders_; }

private:
    std::vector<std::wstring> files_;
    std::vector<std::wstring> folders_;
};

std::vector<std::wstring> itemsOf(const Collection& c) { return {c.begin(), c.end()}; }

TEST(ListingOrder, NamesComeInTheFileSystemsOrder) {
    auto folder = std::make_shared<EnumeratedFolder>(
        std::vector<std::wstring>{L"z.dft", L"Welle.PAR", L"notiz.txt", L"b.asm", L"a.dft", L"m.psm", L"c.pwd",
                                  L"A.DFT"},
        std::vector<std::wstring>{L"zeta", L"Alpha", L"mitte"});
    clsFileString files(folder);
    const Collection wanted{L"*.dft", L"*.par"};
    struct Case {
        const char* what;
        std::vector<std::wstring> listed;
        std::vector<std::wstring> expected;
    };
    const Case cases[] = {
        {"drawing-file listing, not grouped by pattern", itemsOf(files.liefereSEDateiListe(Variant(L"C:\\x"))),
         {L"z.dft", L"Welle.PAR", L"b.asm", L"a.dft", L"m.psm", L"c.pwd", L"A.DFT"}},
        {"file listing without filter", itemsOf(files.liefereDateiListe(L"C:\\x", nullptr)),
         {L"z.dft", L"Welle.PAR", L"notiz.txt", L"b.asm", L"a.dft", L"m.psm", L"c.pwd", L"A.DFT"}},
        {"file listing with filter", itemsOf(files.liefereDateiListe(L"C:\\x", &wanted)),
         {L"z.dft", L"Welle.PAR", L"a.dft", L"A.DFT"}},
        {"folder listing", itemsOf(files.liefereVerzeichnisListe(L"C:\\x", nullptr)), {L"zeta", L"Alpha", L"mitte"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.listed, c.expected) << c.what;
    }
}

}  // namespace
}  // namespace korvane::test
