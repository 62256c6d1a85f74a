// The file operations of clsFileString on real files: natively through the POSIX file system,
// in the Windows build through the Win32 one.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "FilesTestSupport.h"
#include "Sandbox.h"
#include "files/FileSystemSupport.h"
#include "files/clsFileString.h"

using namespace korvane;
using namespace korvane::test;

namespace {

class FileOperations : public testing::Test {
protected:
    Sandbox box;
    clsFileString files{box.fileSystem()};

    std::vector<std::wstring> sorted(const Collection& c) {
        std::vector<std::wstring> names(c.begin(), c.end());
        std::sort(names.begin(), names.end());
        return names;
    }

    struct Listing {
        const char* what;
        std::vector<std::wstring> filter;
        bool noFilter;
        std::vector<std::wstring> expected;  // sorted
    };
    using List = Collection (clsFileString::*)(const std::wstring&, const Collection*);
    void expectListings(List list, std::initializer_list<Listing> cases) {
        for (const auto& c : cases) {
            Collection filter;
            for (const auto& f : c.filter) filter.Add(f);
            EXPECT_EQ(sorted((files.*list)(box.base(), c.noFilter ? nullptr : &filter)), c.expected) << c.what;
        }
    }
};

}  // namespace

TEST_F(FileOperations, ExistenceTellsFilesFromFolders) {
    box.write(L"a.txt", "x");
    box.makeFolder(L"dir");
    box.makeFolder(L"x.y");
    struct Case {
        std::wstring name;
        bool file;
        bool folder;
    };
    const Case cases[] = {
        {box.path(L"a.txt"), true, false},
        {box.path(L"dir"), false, true},
        {box.path(L"dir\\"), false, true},
        {box.path(L"x.y"), false, true},
        {box.path(L"missing"), false, false},
        {box.path(L"missing\\a.txt"), false, false},
        {box.path(L"a.txt\\"), false, false},
        {box.base().substr(0, 2), false, true},
        {L"", false, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(files.existiertDatei(c.name), c.file) << "existiertDatei(" << q(c.name) << ")";
        EXPECT_EQ(files.existiertVerzeichnis(c.name), c.folder) << "existiertVerzeichnis(" << q(c.name) << ")";
    }
}

TEST_F(FileOperations, TempFolderExistsAndHasNoClosingBackslash) {
    const std::wstring temp = files.ermittleTempVerzeichnis();
    EXPECT_TRUE(files.existiertVerzeichnis(temp)) << q(temp);
    ASSERT_FALSE(temp.empty());
    EXPECT_NE(temp.back(), L'\\') << q(temp);
}

TEST_F(FileOperations, FileSizeIsZeroWhenItCannotBeRead) {
    box.write(L"empty", "");
    box.write(L"twelve", "0123456789ab");
    box.makeFolder(L"dir");
    box.makeSized(L"largest", 2147483647LL);
    box.makeSized(L"too-large", 2147483648LL);
    struct Case {
        const wchar_t* name;
        int32_t size;
    };
    const Case cases[] = {{L"missing", 0}, {L"dir", 0},        {L"empty", 0},
                          {L"twelve", 12}, {L"largest", 2147483647}, {L"too-large", 0}};
    for (const auto& c : cases)
        EXPECT_EQ(files.ermittleDateigroesse(box.path(c.name)), c.size) << "ermittleDateigroesse(" << q(c.name) << ")";
}

TEST_F(FileOperations, DateOfLastChangeIsLocalTimeToTheSecond) {
    box.write(L"dated.txt", "x");
    box.setModified(L"dated.txt", 2023, 5, 17, 13, 45, 30);
    const AutomationDate expected = automationDateOf(2023, 5, 17, 13, 45, 30);
    EXPECT_NEAR(files.ermittleAenderungsDatum(box.path(L"dated.txt")).value, expected.value, 0.5 / 86400);
    EXPECT_NEAR(expected.value, 45063.0 + (13 * 3600 + 45 * 60 + 30) / 86400.0, 1e-9);
    EXPECT_EQ(errorOf([&] { files.ermittleAenderungsDatum(box.path(L"missing.txt")); }), rt::FileNotFound);
}

TEST_F(FileOperations, CreateFolderMakesMissingParentsAndReportsNothing) {
    box.makeFolder(L"a");
    Variant result = files.erstelleVerzeichnis(box.path(L"a\\b\\c"));
    EXPECT_TRUE(result.isEmpty());
    EXPECT_TRUE(files.existiertVerzeichnis(box.path(L"a\\b")));
    EXPECT_TRUE(files.existiertVerzeichnis(box.path(L"a\\b\\c")));

    box.write(L"a\\b\\c\\keep.txt", "k");
    EXPECT_TRUE(files.erstelleVerzeichnis(box.path(L"a\\b\\c")).isEmpty());
    EXPECT_EQ(box.read(L"a\\b\\c\\keep.txt"), "k") << "an existing folder must stay as it is";

    files.erstelleVerzeichnis(box.path(L"d\\e\\"));
    EXPECT_TRUE(files.existiertVerzeichnis(box.path(L"d\\e")));

    // Where the chain of parents runs out, the recursion must end instead of exhausting the stack.
    box.runInside([&] {
        for (const wchar_t* odd : {L"", L"noBackslash-korvane-missing", L"korvane-missing-rel\\x", L"\\"})
            EXPECT_TRUE(files.erstelleVerzeichnis(odd).isEmpty()) << q(odd);
    });
}

TEST(FileOperationCases, WriteProbe) {
    struct Case {
        const char* what;
        void (*arrange)(Sandbox&);
        bool expected;
        const char* fileAfter;   // nullptr: no such file
        const char* probeAfter;  // nullptr: no such file
    };
    const Case cases[] = {
        {"writable file", [](Sandbox& b) { b.write(L"f", "data"); }, true, "data", nullptr},
        {"read-only file can still be renamed", [](Sandbox& b) { b.write(L"f", "ro"); b.setReadOnly(L"f", true); },
         true, "ro", nullptr},
        {"missing file", [](Sandbox&) {}, false, nullptr, nullptr},
        {"probe name taken", [](Sandbox& b) { b.write(L"f", "data"); b.write(L"f_test", "probe"); }, false, "data",
         "probe"},
        {"only the probe name exists", [](Sandbox& b) { b.write(L"f_test", "probe"); }, false, nullptr, "probe"},
    };
    for (const auto& c : cases) {
        Sandbox box;
        c.arrange(box);
        clsFileString files(box.fileSystem());
        EXPECT_EQ(files.schreibRecht(box.path(L"f")), c.expected) << c.what;
        EXPECT_EQ(box.read(L"f"), c.fileAfter ? std::optional<std::string>(c.fileAfter) : std::nullopt) << c.what;
        EXPECT_EQ(box.read(L"f_test"), c.probeAfter ? std::optional<std::string>(c.probeAfter) : std::nullopt)
            << c.what;
    }
}

TEST(FileOperationCases, RenameReplacesTheNewNameOnlyWhenTheMoveHappens) {
    struct Case {
        const char* what;
        void (*arrange)(Sandbox&);
        const wchar_t* newName;
        bool succeeds;
        const char* oldAfter;
        const char* newAfter;
    };
    const Case cases[] = {
        {"to a free name", [](Sandbox& b) { b.write(L"old", "O"); }, L"new", true, nullptr, "O"},
        {"over an existing file", [](Sandbox& b) { b.write(L"old", "O"); b.write(L"new", "N"); }, L"new", true,
         nullptr, "O"},
        {"missing old name keeps the new file", [](Sandbox& b) { b.write(L"new", "N"); }, L"new", false, nullptr, "N"},
        {"read-only new file survives",
         [](Sandbox& b) { b.write(L"old", "O"); b.write(L"new", "N"); b.setReadOnly(L"new", true); }, L"new", false,
         "O", "N"},
        {"into a missing folder", [](Sandbox& b) { b.write(L"old", "O"); }, L"nowhere\\new", false, "O", nullptr},
    };
    for (const auto& c : cases) {
        Sandbox box;
        c.arrange(box);
        clsFileString files(box.fileSystem());
        const int32_t status = files.benenneUm(box.path(L"old"), box.path(c.newName));
        if (c.succeeds)
            EXPECT_EQ(status, 0) << c.what;
        else
            EXPECT_NE(status, 0) << c.what;
        EXPECT_EQ(box.read(L"old"), c.oldAfter ? std::optional<std::string>(c.oldAfter) : std::nullopt) << c.what;
        EXPECT_EQ(box.read(c.newName), c.newAfter ? std::optional<std::string>(c.newAfter) : std::nullopt) << c.what;
        EXPECT_EQ(files.liefereDateiListe(box.base(), nullptr).Count(), (c.oldAfter ? 1 : 0) + (c.newAfter ? 1 : 0))
            << c.what << ": no file set aside may be left behind";
    }
}

TEST(FileOperationCases, RenameStatusNumbers) {
    Sandbox box;
    clsFileString files(box.fileSystem());
    box.write(L"old", "O");
    box.write(L"new", "N");
    box.setReadOnly(L"new", true);
    EXPECT_EQ(files.benenneUm(box.path(L"missing"), box.path(L"other")), rt::FileNotFound);
    // The read-only file is refused by its deletion without force, and that number is the result.
    EXPECT_EQ(files.benenneUm(box.path(L"old"), box.path(L"new")), rt::PermissionDenied);
    EXPECT_TRUE(box.isReadOnly(L"new"));
    box.makeFolder(L"folder");
    EXPECT_EQ(files.benenneUm(box.path(L"old"), box.path(L"folder")), rt::FileAlreadyExists);
    EXPECT_EQ(files.benenneUm(box.path(L"folder"), box.path(L"moved")), rt::FileNotFound)
        << "a folder is no file to rename";
    EXPECT_TRUE(files.existiertVerzeichnis(box.path(L"folder")));
    EXPECT_EQ(files.benenneUm(box.path(L"old"), box.path(L"nowhere\\new")), rt::PathNotFound);
}

TEST_F(FileOperations, DeleteFileForcesReadOnlyAndLeavesTheNameAlone) {
    box.write(L"plain", "p");
    box.write(L"locked", "l");
    box.setReadOnly(L"locked", true);
    box.makeFolder(L"dir");
    struct Case {
        const wchar_t* name;
        int32_t status;
    };
    const Case cases[] = {{L"plain", 0}, {L"locked", 0}, {L"missing", rt::FileNotFound}, {L"dir", rt::FileNotFound},
                          {L"nowhere\\x", rt::PathNotFound}};
    for (const auto& c : cases) {
        std::wstring name = box.path(c.name);
        const std::wstring before = name;
        EXPECT_EQ(files.loescheDatei(name), c.status) << "loescheDatei(" << q(c.name) << ")";
        EXPECT_EQ(name, before) << "loescheDatei must not change its argument";
        EXPECT_FALSE(box.read(c.name).has_value()) << q(c.name) << " still there";
    }
    EXPECT_TRUE(files.existiertVerzeichnis(box.path(L"dir")));
}

TEST_F(FileOperations, DeleteFolderTakesEverythingInIt) {
    box.write(L"tree\\a.txt", "a");
    box.write(L"tree\\sub\\deeper\\ro.txt", "r");
    box.setReadOnly(L"tree\\sub\\deeper\\ro.txt", true);
    box.setReadOnly(L"tree\\sub", true);
    box.write(L"file.txt", "f");
    std::wstring tree = box.path(L"tree");
    EXPECT_EQ(files.loescheVerzeichnis(tree), 0);
    EXPECT_EQ(tree, box.path(L"tree"));
    EXPECT_FALSE(files.existiertVerzeichnis(tree));

    std::wstring missing = box.path(L"missing");
    EXPECT_EQ(files.loescheVerzeichnis(missing), rt::PathNotFound);
    std::wstring file = box.path(L"file.txt");
    EXPECT_NE(files.loescheVerzeichnis(file), 0);
    EXPECT_EQ(box.read(L"file.txt"), "f");
}

TEST(FileOperationCases, CopyCreatesTheFolderAndReplacesTheTarget) {
    struct Case {
        const char* what;
        void (*arrange)(Sandbox&);
        const wchar_t* target;
        int32_t status;
        const char* targetAfter;
    };
    const Case cases[] = {
        {"into a missing folder", [](Sandbox& b) { b.write(L"src", "S"); }, L"a\\b\\dst", 0, "S"},
        {"over a file", [](Sandbox& b) { b.write(L"src", "S"); b.write(L"dst", "D"); }, L"dst", 0, "S"},
        {"over a read-only file",
         [](Sandbox& b) { b.write(L"src", "S"); b.write(L"dst", "D"); b.setReadOnly(L"dst", true); }, L"dst", 0, "S"},
        {"missing source keeps the target", [](Sandbox& b) { b.write(L"dst", "D"); }, L"dst", -1, "D"},
        {"missing source still makes the folder", [](Sandbox&) {}, L"c\\dst", -1, nullptr},
        {"onto a folder", [](Sandbox& b) { b.write(L"src", "S"); b.makeFolder(L"dst"); }, L"dst", rt::PermissionDenied,
         nullptr},
    };
    for (const auto& c : cases) {
        Sandbox box;
        c.arrange(box);
        clsFileString files(box.fileSystem());
        EXPECT_EQ(files.kopiereDatei(box.path(L"src"), box.path(c.target)), c.status) << c.what;
        EXPECT_EQ(box.read(c.target), c.targetAfter ? std::optional<std::string>(c.targetAfter) : std::nullopt)
            << c.what;
        EXPECT_TRUE(files.existiertVerzeichnis(files.ermittleVerzeichnis(box.path(c.target)))) << c.what;
        if (box.read(L"src")) {
            EXPECT_EQ(box.read(L"src"), "S") << c.what << ": source changed";
        }
    }
}

TEST_F(FileOperations, FileListsFilterByPattern) {
    for (const wchar_t* name : {L"a.dft", L"B.txt", L"c.PAR", L"x.PAR", L"y.dft", L"z.dwg", L"w.dft.bak", L"v.asm",
                                L"u.psm", L"t.pwd"})
        box.write(name, "");
    box.write(L"sub.dft\\inner.dft", "");
    expectListings(&clsFileString::liefereDateiListe, {
        {"no filter", {}, true,
         {L"B.txt", L"a.dft", L"c.PAR", L"t.pwd", L"u.psm", L"v.asm", L"w.dft.bak", L"x.PAR", L"y.dft", L"z.dwg"}},
        {"case ignored", {L"*.DFT"}, false, {L"a.dft", L"y.dft"}},
        {"listed once at the first entry", {L"*.dft", L"a*", L"?.dft"}, false, {L"a.dft", L"y.dft"}},
        {"empty filter", {}, false, {}},
        {"bracket list", {L"[a-c].*"}, false, {L"B.txt", L"a.dft", L"c.PAR"}},
    });
    EXPECT_EQ(sorted(files.liefereSEDateiListe(Variant(box.base()))),
              (std::vector<std::wstring>{L"a.dft", L"c.PAR", L"t.pwd", L"u.psm", L"v.asm", L"x.PAR", L"y.dft"}))
        << "liefereSEDateiListe";
}

TEST_F(FileOperations, FolderListsUseTheNameAsPattern) {
    for (const wchar_t* name : {L"Vorlagen", L"other", L"x.dft", L"a#"}) box.makeFolder(name);
    box.write(L"file.dft", "");
    expectListings(&clsFileString::liefereVerzeichnisListe, {
        {"no filter", {}, true, {L"Vorlagen", L"a#", L"other", L"x.dft"}},
        {"entry equal ignoring case", {L"vorlagen"}, false, {L"Vorlagen"}},
        {"a star entry selects no plain name", {L"*"}, false, {}},
        {"wildcards in the entry select nothing", {L"*.dft"}, false, {}},
        {"the name's own pattern characters count", {L"a7", L"x.DFT"}, false, {L"a#", L"x.dft"}},
        {"empty filter", {}, false, {}},
    });
}

TEST_F(FileOperations, ListingAMissingFolderFails) {
    EXPECT_EQ(errorOf([&] { files.liefereDateiListe(box.path(L"missing"), nullptr); }), rt::PathNotFound);
    EXPECT_EQ(errorOf([&] { files.liefereVerzeichnisListe(box.path(L"missing"), nullptr); }), rt::PathNotFound);
    EXPECT_EQ(errorOf([&] { files.liefereSEDateiListe(Variant(box.path(L"missing"))); }), rt::PathNotFound);
}
