// The file operations of clsFileString on real files (natively through the POSIX file system, in
// the Windows build through the Win32 one), and where a step must fail or list in an order no
// real folder gives, through the configurable fake.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "DriveTableFileSystem.h"
#include "FilesTestSupport.h"
#include "Sandbox.h"
#include "files/FileSystemSupport.h"
#include "files/clsFileString.h"

using namespace korvane;
using namespace korvane::test;

namespace {

// The names of a listing in its own order, each followed by a blank.
std::string items(const Collection& c) {
    std::wstring out;
    for (const auto& name : c) out += name + L" ";
    return toUtf8(out);
}

std::string joined(std::vector<std::wstring> tree) {
    std::sort(tree.begin(), tree.end());
    std::wstring out;
    for (const auto& entry : tree) out += entry + L", ";
    return toUtf8(out);
}

class FileOperations : public testing::Test {
protected:
    Sandbox box;
    clsFileString files{box.fileSystem()};

};

}  // namespace

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
    EXPECT_TRUE(files.erstelleVerzeichnis(box.path(L"a\\b\\c")).isEmpty());
    EXPECT_TRUE(files.existiertVerzeichnis(box.path(L"a\\b\\c")));

    box.write(L"a\\b\\c\\keep.txt", "k");
    EXPECT_TRUE(files.erstelleVerzeichnis(box.path(L"a\\b\\c")).isEmpty());
    EXPECT_EQ(joined(box.tree()), "a\\, a\\b\\, a\\b\\c\\, a\\b\\c\\keep.txt 1, ")
        << "an existing folder must stay as it is";

    files.erstelleVerzeichnis(box.path(L"d\\e\\"));
    EXPECT_TRUE(files.existiertVerzeichnis(box.path(L"d\\e")));

    // Where the chain of parents runs out, the recursion must end instead of exhausting the stack.
    box.runInside([&] {
        for (const wchar_t* odd : {L"", L"noBackslash-korvane-missing", L"korvane-missing-rel\\x", L"\\"})
            EXPECT_TRUE(files.erstelleVerzeichnis(odd).isEmpty()) << q(odd);
    });
}

// Renaming "old" (content O) over "new" (content NN), with the names "new.1.alt" (a file) and
// "new.2.alt" (a folder) in use. The moves, counted: 1 the direct attempt (refused, "new" exists),
// 2 "new" set aside, 3 "old" to "new", then 4 and 5 undo or put back; deletion 1 removes the file
// set aside. The result is the failing step's number, and no file is lost: where the former file
// of the new name cannot be put back it is found beside it, under the first free name.
TEST(FileOperationCases, RenameStepsFailingLoseNoFile) {
    using Step = DriveTableFileSystem::Step;
    struct Case {
        const char* what;
        std::vector<std::tuple<Step, int, int32_t>> failures;
        int32_t status;
        std::vector<std::wstring> after;  // besides new.1.alt and new.2.alt, as Sandbox::tree() gives them
    };
    const Case cases[] = {
        {"nothing fails", {}, 0, {L"new 1"}},
        {"new name held open by another program", {{Step::Move, 2, 70}}, 70, {L"new 2", L"old 1"}},
        {"the rename itself fails", {{Step::Move, 3, 75}}, 75, {L"new 2", L"old 1"}},
        {"the rename and the put-back fail", {{Step::Move, 3, 75}, {Step::Move, 4, 70}}, 75,
         {L"new.3.alt 2", L"old 1"}},
        {"the former file cannot be deleted", {{Step::Delete, 1, 61}}, 61, {L"new 2", L"old 1"}},
        {"cannot be deleted, the undo fails", {{Step::Move, 4, 70}, {Step::Delete, 1, 61}}, 61,
         {L"new 1", L"new.3.alt 2"}},
        {"cannot be deleted, the put-back fails", {{Step::Move, 5, 70}, {Step::Delete, 1, 61}}, 61,
         {L"new.3.alt 2", L"old 1"}},
    };
    for (const auto& c : cases) {
        Sandbox box;
        box.write(L"old", "O");
        box.write(L"new", "NN");
        box.write(L"new.1.alt", "1");
        box.makeFolder(L"new.2.alt");
        auto failing = std::make_shared<DriveTableFileSystem>(std::vector<TableDrive>{}, box.fileSystem());
        for (const auto& [step, call, number] : c.failures) failing->fail(step, call, number);
        clsFileString files(failing);

        EXPECT_EQ(files.benenneUm(box.path(L"old"), box.path(L"new")), c.status) << c.what;
        std::vector<std::wstring> expected = c.after;
        expected.insert(expected.end(), {L"new.1.alt 1", L"new.2.alt\\"});
        EXPECT_EQ(joined(box.tree()), joined(expected)) << c.what;
    }
}

// Each operation on a fresh sample tree (see Sandbox::writeSampleTree, with the files p, p_test and
// q_test beside it and the folder tree\x read-only): its status (the write probe's answer as 1 or 0)
// and what it changed. Wildcards in the last part of a name act on every matching entry, as callers
// of the scripting runtime's delete, copy and move rely on; none matching is an error of its own.
TEST(FileOperationCases, StatusAndChangesOnASampleTree) {
    enum class Op { Probe, Rename, Copy, DeleteFile, DeleteFolder };
    constexpr int32_t Any = -2;  // the system decides
    struct Case {
        const char* what;
        Op op;
        const wchar_t* name;
        const wchar_t* target;
        int32_t status;
        std::vector<std::wstring> gone;   // entries no longer in the tree, as Sandbox::tree() gives them
        std::vector<std::wstring> added;  // entries new in the tree
    };
    const Case cases[] = {
        {"probe a read-only file: it can still be renamed", Op::Probe, L"ro.txt", L"", 1, {}, {}},
        {"probe a missing file", Op::Probe, L"n.txt", L"", 0, {}, {}},
        {"probe with the probe name taken", Op::Probe, L"p", L"", 0, {}, {}},
        {"probe where only the probe name exists", Op::Probe, L"q", L"", 0, {}, {}},
        {"rename to a free name", Op::Rename, L"a.txt", L"n.txt", 0, {L"a.txt 3"}, {L"n.txt 3"}},
        {"rename over an existing file", Op::Rename, L"a.txt", L"b.txt", 0, {L"a.txt 3", L"b.txt 2"}, {L"b.txt 3"}},
        {"rename a missing file keeps the new one", Op::Rename, L"n.txt", L"b.txt", rt::FileNotFound, {}, {}},
        // Refused by the deletion without force of the file set aside: that number is the result.
        {"rename over a read-only file", Op::Rename, L"a.txt", L"ro.txt", rt::PermissionDenied, {}, {}},
        {"rename into a missing folder", Op::Rename, L"a.txt", L"nowhere\\n.txt", rt::PathNotFound, {}, {}},
        {"rename onto a folder", Op::Rename, L"a.txt", L"x.y", rt::FileAlreadyExists, {}, {}},
        {"rename a folder", Op::Rename, L"dir", L"n.txt", rt::FileNotFound, {}, {}},
        {"rename onto itself", Op::Rename, L"a.txt", L"a.txt", Any, {}, {}},
        {"rename files with wildcards into a folder", Op::Rename, L"*.txt", L"x.y", 0,
         {L"a.txt 3", L"b.txt 2", L"ro.txt 1 ro"}, {L"x.y\\a.txt 3", L"x.y\\b.txt 2", L"x.y\\ro.txt 1 ro"}},
        {"rename with wildcards, none match", Op::Rename, L"*.none", L"x.y", rt::FileNotFound, {}, {}},
        {"copy into a missing folder", Op::Copy, L"a.txt", L"m\\n\\a.txt", 0, {},
         {L"m\\", L"m\\n\\", L"m\\n\\a.txt 3"}},
        {"copy over a read-only file", Op::Copy, L"a.txt", L"ro.txt", 0, {L"ro.txt 1 ro"}, {L"ro.txt 3"}},
        {"copy a missing file still makes the folder", Op::Copy, L"n.txt", L"m\\n.txt", -1, {}, {L"m\\"}},
        {"copy onto a folder", Op::Copy, L"a.txt", L"x.y", rt::PermissionDenied, {}, {}},
        {"copy with wildcards into a new folder", Op::Copy, L"?.tmp", L"neu", 0, {},
         {L"neu\\", L"neu\\c.tmp 1", L"neu\\d.TMP 2", L"neu\\e.tmp 1 ro"}},
        {"copy into a folder named with a closing backslash", Op::Copy, L"b.txt", L"x.y\\", 0, {}, {L"x.y\\b.txt 2"}},
        {"copy with wildcards, none match", Op::Copy, L"*.none", L"x.y", rt::FileNotFound, {}, {}},
        {"delete a read-only file", Op::DeleteFile, L"ro.txt", L"", 0, {L"ro.txt 1 ro"}, {}},
        {"delete a missing file", Op::DeleteFile, L"n.txt", L"", rt::FileNotFound, {}, {}},
        {"delete a folder as a file", Op::DeleteFile, L"dir", L"", rt::FileNotFound, {}, {}},
        {"delete in a missing folder", Op::DeleteFile, L"nowhere\\*.tmp", L"", rt::PathNotFound, {}, {}},
        // As on Windows, ".*" at the end takes a name without a dot too.
        {"delete files with wildcards, read-only too, no folder", Op::DeleteFile, L"?.*", L"", 0,
         {L"a.txt 3", L"b.txt 2", L"c.tmp 1", L"d.TMP 2", L"e.tmp 1 ro", L"p 1"}, {}},
        {"delete with wildcards, none match", Op::DeleteFile, L"*.none", L"", rt::FileNotFound, {}, {}},
        {"delete folders with their content", Op::DeleteFolder, L"old*", L"", 0,
         {L"old1\\", L"old1\\f.txt 1", L"old2\\", L"old2\\g\\", L"old2\\g\\h.txt 1"}, {}},
        {"delete a folder, read-only inside", Op::DeleteFolder, L"tree", L"", 0,
         {L"tree\\", L"tree\\x\\", L"tree\\x\\locked.txt 1 ro"}, {}},
        {"delete folders, nothing matches", Op::DeleteFolder, L"new*", L"", rt::PathNotFound, {}, {}},
        {"delete a file as a folder", Op::DeleteFolder, L"a.txt", L"", rt::PathNotFound, {}, {}},
    };
    auto arrange = [](Sandbox& box) {
        box.writeSampleTree();
        box.write(L"p", "p");
        box.write(L"p_test", "probe");
        box.write(L"q_test", "probe");
        box.setReadOnly(L"tree\\x", true);
    };
    Sandbox arranged;
    arrange(arranged);
    for (const auto& c : cases) {
        Sandbox box;
        arrange(box);
        clsFileString files(box.fileSystem());
        std::wstring name = box.path(c.name);
        const std::wstring target = box.path(c.target);
        int32_t status = Any;
        switch (c.op) {
        case Op::Probe: status = files.schreibRecht(name) ? 1 : 0; break;
        case Op::Rename: status = files.benenneUm(name, target); break;
        case Op::Copy: status = files.kopiereDatei(name, target); break;
        case Op::DeleteFile: status = files.loescheDatei(name); break;
        case Op::DeleteFolder: status = files.loescheVerzeichnis(name); break;
        }
        EXPECT_TRUE(c.status == Any || status == c.status) << c.what << ": status " << status;
        EXPECT_EQ(name, box.path(c.name)) << c.what << ": the name argument must stay as it was";
        std::vector<std::wstring> expected;
        for (const auto& entry : arranged.tree())
            if (std::find(c.gone.begin(), c.gone.end(), entry) == c.gone.end()) expected.push_back(entry);
        expected.insert(expected.end(), c.added.begin(), c.added.end());
        EXPECT_EQ(joined(box.tree()), joined(expected)) << c.what;
    }
}

// The listings hand on the names in the order the file system enumerates them (the fake lists in an
// order no sort would produce), each once, with no grouping by pattern, and filter in the collation
// given. For files the filter entries are the patterns; for folders the folder's name is.
TEST_F(FileOperations, ListingsOfRealFolders) {
    box.write(L"a.dft", "");
    box.write(L"sub.dft\\inner.dft", "");
    EXPECT_EQ(items(files.liefereDateiListe(box.base(), nullptr)), "a.dft ");
    EXPECT_EQ(items(files.liefereVerzeichnisListe(box.base(), nullptr)), "sub.dft ");
    EXPECT_EQ(errorOf([&] { files.liefereDateiListe(box.path(L"missing"), nullptr); }), rt::PathNotFound);
    EXPECT_EQ(errorOf([&] { files.liefereVerzeichnisListe(box.path(L"missing"), nullptr); }), rt::PathNotFound);
    EXPECT_EQ(errorOf([&] { files.liefereSEDateiListe(Variant(box.path(L"missing"))); }), rt::PathNotFound);
}

TEST(FileOperationCases, ListingsFilterInTheCollationAndKeepTheFileSystemsOrder) {
    auto folder = std::make_shared<DriveTableFileSystem>(std::vector<TableDrive>{});
    folder->listing({L"z.dft", L"Welle.PAR", L"notiz.txt", L"b.asm", L"Übersicht.dft", L"_intern.dft", L"a.dft",
                     L"m.psm", L"1.dft", L"c.pwd", L"A.DFT", L"w.dft.bak"},
                    {L"zeta", L"Vorlagen", L"x.dft", L"a#", L"Alpha"});
    clsFileString files(folder, germanCollation());
    struct Case {
        const char* what;
        bool folders;
        std::vector<std::wstring> filter;
        bool noFilter;
        const wchar_t* expected;
    };
    const Case cases[] = {
        {"files, no filter", false, {}, true,
         L"z.dft Welle.PAR notiz.txt b.asm Übersicht.dft _intern.dft a.dft m.psm 1.dft c.pwd A.DFT w.dft.bak "},
        {"files, case ignored, ranges in the collation", false, {L"[A-Z]*.dft", L"*.PAR"}, false,
         L"z.dft Welle.PAR Übersicht.dft a.dft A.DFT "},
        {"files, listed once", false, {L"*.dft", L"a*", L"?.dft"}, false,
         L"z.dft Übersicht.dft _intern.dft a.dft 1.dft A.DFT "},
        {"files, empty filter", false, {}, false, L""},
        {"folders, no filter", true, {}, true, L"zeta Vorlagen x.dft a# Alpha "},
        {"folders, entry equal ignoring case", true, {L"vorlagen"}, false, L"Vorlagen "},
        {"folders, a star entry selects no plain name", true, {L"*"}, false, L""},
        {"folders, the name's own pattern characters count", true, {L"a7", L"x.DFT"}, false, L"x.dft a# "},
    };
    for (const auto& c : cases) {
        Collection filter;
        for (const auto& f : c.filter) filter.Add(f);
        const Collection* given = c.noFilter ? nullptr : &filter;
        EXPECT_EQ(items(c.folders ? files.liefereVerzeichnisListe(L"C:\\x", given) : files.liefereDateiListe(L"C:\\x", given)),
                  toUtf8(c.expected))
            << c.what;
    }
    EXPECT_EQ(items(files.liefereSEDateiListe(Variant(L"C:\\x"))),
              toUtf8(L"z.dft Welle.PAR b.asm Übersicht.dft _intern.dft a.dft m.psm 1.dft c.pwd A.DFT "));
}
