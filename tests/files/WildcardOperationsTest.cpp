// Wildcards in the last part of a name, as callers of the scripting runtime's delete, copy and
// move rely on them: every matching entry is acted on; none matching is an error of its own.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "FilesTestSupport.h"
#include "Sandbox.h"
#include "automation/TextConvert.h"
#include "files/clsFileString.h"

using namespace korvane;
using namespace korvane::test;

namespace {

// The tree as "name" for files and "name\" for folders, one level deep, sorted without regard to case.
std::string tree(clsFileString& files, const std::wstring& folder) {
    std::vector<std::wstring> names;
    for (const auto& n : files.liefereDateiListe(folder, nullptr)) names.push_back(n);
    for (const auto& n : files.liefereVerzeichnisListe(folder, nullptr)) {
        for (const auto& inner : files.liefereDateiListe(folder + L"\\" + n, nullptr)) names.push_back(n + L"\\" + inner);
        names.push_back(n + L"\\");
    }
    std::sort(names.begin(), names.end(), [](const std::wstring& a, const std::wstring& b) { return toUpper(a) < toUpper(b); });
    std::string out;
    for (const auto& n : names) out += toUtf8(n) + " ";
    return out;
}

void arrange(Sandbox& box) {
    box.write(L"a.dft", "a");
    box.write(L"B.DFT", "b");
    box.write(L"ro.dft", "r");
    box.setReadOnly(L"ro.dft", true);
    box.write(L"keep.txt", "k");
    box.write(L"old1\\x.txt", "x");
    box.write(L"old2\\y.txt", "y");
    box.makeFolder(L"ziel");
    box.makeFolder(L"folder.dft");
}

}  // namespace

TEST(WildcardOperations, ActOnEveryMatchingEntry) {
    struct Case {
        const char* what;
        std::function<int32_t(clsFileString&, const Sandbox&)> run;
        int32_t status;
        const char* treeAfter;
    };
    const std::string untouched =
        "a.dft B.DFT folder.dft\\ keep.txt old1\\ old1\\x.txt old2\\ old2\\y.txt ro.dft ziel\\ ";
    const Case cases[] = {
        {"delete matching files, read-only too",
         [](clsFileString& f, const Sandbox& b) { std::wstring n = b.path(L"*.dft"); return f.loescheDatei(n); }, 0,
         "folder.dft\\ keep.txt old1\\ old1\\x.txt old2\\ old2\\y.txt ziel\\ "},
        {"delete with a question mark",
         [](clsFileString& f, const Sandbox& b) { std::wstring n = b.path(L"?.dft"); return f.loescheDatei(n); }, 0,
         "folder.dft\\ keep.txt old1\\ old1\\x.txt old2\\ old2\\y.txt ro.dft ziel\\ "},
        {"delete, nothing matches",
         [](clsFileString& f, const Sandbox& b) { std::wstring n = b.path(L"*.par"); return f.loescheDatei(n); },
         rt::FileNotFound, untouched.c_str()},
        {"delete in a missing folder",
         [](clsFileString& f, const Sandbox& b) { std::wstring n = b.path(L"nowhere\\*.dft"); return f.loescheDatei(n); },
         rt::PathNotFound, untouched.c_str()},
        {"delete matching folders with their content",
         [](clsFileString& f, const Sandbox& b) { std::wstring n = b.path(L"old*"); return f.loescheVerzeichnis(n); },
         0, "a.dft B.DFT folder.dft\\ keep.txt ro.dft ziel\\ "},
        {"delete folders, nothing matches",
         [](clsFileString& f, const Sandbox& b) { std::wstring n = b.path(L"new*"); return f.loescheVerzeichnis(n); },
         rt::PathNotFound, untouched.c_str()},
        {"move matching files into a folder",
         [](clsFileString& f, const Sandbox& b) { return f.benenneUm(b.path(L"*.txt"), b.path(L"ziel")); }, 0,
         "a.dft B.DFT folder.dft\\ old1\\ old1\\x.txt old2\\ old2\\y.txt ro.dft ziel\\ ziel\\keep.txt "},
        {"move, nothing matches",
         [](clsFileString& f, const Sandbox& b) { return f.benenneUm(b.path(L"*.par"), b.path(L"ziel")); },
         rt::FileNotFound, untouched.c_str()},
        {"copy matching files into a new folder",
         [](clsFileString& f, const Sandbox& b) { return f.kopiereDatei(b.path(L"?.dft"), b.path(L"neu")); }, 0,
         "a.dft B.DFT folder.dft\\ keep.txt neu\\ neu\\a.dft neu\\B.DFT old1\\ old1\\x.txt old2\\ old2\\y.txt ro.dft ziel\\ "},
        {"copy into a folder named with a closing backslash",
         [](clsFileString& f, const Sandbox& b) { return f.kopiereDatei(b.path(L"keep.txt"), b.path(L"ziel\\")); }, 0,
         "a.dft B.DFT folder.dft\\ keep.txt old1\\ old1\\x.txt old2\\ old2\\y.txt ro.dft ziel\\ ziel\\keep.txt "},
        {"copy, nothing matches",
         [](clsFileString& f, const Sandbox& b) { return f.kopiereDatei(b.path(L"*.par"), b.path(L"ziel")); },
         rt::FileNotFound, untouched.c_str()},
    };
    for (const auto& c : cases) {
        Sandbox box;
        arrange(box);
        clsFileString files(box.fileSystem());
        EXPECT_EQ(c.run(files, box), c.status) << c.what;
        EXPECT_EQ(tree(files, box.base()), c.treeAfter) << c.what;
    }
}
