// The same file operations through the scripting runtime's file-system object (late bound, as
// the class always used it) and through Win32FileSystem, on two identical scratch trees: the
// existence answers, error numbers and resulting trees must agree wherever clsFileString relies
// on them. Windows build only; under wine this is wine's own scrrun.
#ifdef _WIN32
#include <gtest/gtest.h>

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "FilesTestSupport.h"
#include "Sandbox.h"
#include "automation/win32/Apartment.h"
#include "automation/win32/ComBinder.h"
#include "files/win32/Win32FileSystem.h"

using namespace korvane;
using namespace korvane::test;

namespace {

// The outcome of one operation: the runtime number (0 on success) and the value, as text.
struct Outcome {
    int32_t error = 0;
    std::wstring value;
    bool operator==(const Outcome&) const = default;
};

std::string describe(const Outcome& o) {
    std::string text = "error ";
    text += std::to_string(o.error);
    text += " value ";
    text += q(o.value);
    return text;
}

// The scripting runtime's file-system object, late bound through the product's own COM adapter
// (which turns 0x800Axxxx failures into the runtime's numbers, as the class always saw them).
class ScriptingFileSystem {
public:
    ScriptingFileSystem() {
        errorOf([&] { fso_ = com::ComBinder().createObject(L"Scripting.FileSystemObject"); });
    }
    bool available() const { return !fso_.isNothing(); }

    Outcome call(const wchar_t* member, std::vector<Variant> args) {
        Outcome o;
        o.error = errorOf([&] {
            const Variant result = fso_.call(member, std::move(args));
            if (!result.isObject() && !result.isEmpty()) o.value = result.toText();
        });
        return o;
    }
    // A property of the object that a method returns, e.g. GetFile(x).Size.
    Outcome property(const wchar_t* method, const Variant& arg, const wchar_t* name) {
        Outcome o;
        o.error = errorOf([&] { o.value = Object::from(fso_.call(method, {arg})).get(name).toText(); });
        return o;
    }
    // The names in GetFolder(x).Files or .SubFolders, sorted and joined.
    Outcome names(const std::wstring& folder, const wchar_t* collection) {
        Outcome o;
        o.error = errorOf([&] {
            std::vector<std::wstring> found;
            for (const Variant& item : Object::from(fso_.call(L"GetFolder", {Variant(folder)})).getObject(collection).items())
                found.push_back(Object::from(item).get(L"Name").toText());
            std::sort(found.begin(), found.end());
            for (const auto& n : found) o.value += n + L"|";
        });
        return o;
    }

private:
    com::Apartment apartment_;
    Object fso_;
};

template <class F>
Outcome ours(F&& f) {
    Outcome o;
    o.error = errorOf([&] { o.value = f(); });
    return o;
}

std::wstring joined(std::vector<std::wstring> names) {
    std::sort(names.begin(), names.end());
    std::wstring out;
    for (const auto& n : names) out += n + L"|";
    return out;
}

// Every file and folder under a root with content and read-only flag, sorted.
void snapshot(const std::wstring& folder, const std::wstring& relative, std::vector<std::wstring>& lines) {
    WIN32_FIND_DATAW data{};
    HANDLE find = ::FindFirstFileW((folder + L"\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return;
    do {
        const std::wstring name = data.cFileName;
        if (name == L"." || name == L"..") continue;
        const std::wstring rel = relative + name;
        const bool ro = (data.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            lines.push_back(rel + L"\\");
            snapshot(folder + L"\\" + name, rel + L"\\", lines);
        } else {
            lines.push_back(rel + L" " + std::to_wstring(data.nFileSizeLow) + (ro ? L" ro" : L""));
        }
    } while (::FindNextFileW(find, &data));
    ::FindClose(find);
}

std::wstring treeOf(const Sandbox& box) {
    std::vector<std::wstring> lines;
    snapshot(box.base(), L"", lines);
    std::sort(lines.begin(), lines.end());
    std::wstring out;
    for (const auto& l : lines) out += l + L"; ";
    return out;
}

void arrange(Sandbox& box) {
    box.write(L"a.txt", "aaa");
    box.write(L"b.txt", "bb");
    box.write(L"ro.txt", "r");
    box.setReadOnly(L"ro.txt", true);
    box.write(L"dir\\inner.dft", "i");
    box.write(L"dir\\sub\\deep.par", "d");
    box.write(L"tree\\x\\locked.txt", "l");
    box.setReadOnly(L"tree\\x\\locked.txt", true);
    box.makeFolder(L"x.y");
    box.write(L"c.tmp", "c");
    box.write(L"d.TMP", "dd");
    box.write(L"e.tmp", "e");
    box.setReadOnly(L"e.tmp", true);
    box.write(L"old1\\f.txt", "f");
    box.write(L"old2\\g\\h.txt", "h");
}

struct Step {
    const char* what;
    std::function<Outcome(ScriptingFileSystem&, const Sandbox&)> theirs;
    std::function<Outcome(FileSystem&, const Sandbox&)> mine;
};

Step exists(const wchar_t* relative) {
    const std::wstring rel = relative;
    return {"existence",
            [rel](ScriptingFileSystem& s, const Sandbox& b) {
                Outcome file = s.call(L"FileExists", {Variant(b.path(rel))});
                Outcome folder = s.call(L"FolderExists", {Variant(b.path(rel))});
                return Outcome{file.error + folder.error, file.value + L"/" + folder.value};
            },
            [rel](FileSystem& f, const Sandbox& b) {
                auto text = [](bool v) { return Variant::boolean(v).toText(); };
                return Outcome{0, text(f.fileExists(b.path(rel))) + L"/" + text(f.folderExists(b.path(rel)))};
            }};
}

}  // namespace

TEST(ScriptingRuntimeComparison, SameAnswersSameErrorsSameTrees) {
    ScriptingFileSystem scripting;
    if (!scripting.available()) GTEST_SKIP() << "Scripting.FileSystemObject cannot be created here";
    Sandbox theirBox;
    Sandbox myBox;
    arrange(theirBox);
    arrange(myBox);
    Win32FileSystem win32;

    auto two = [](const wchar_t* method, const wchar_t* from, const wchar_t* to, int extra) {
        const std::wstring f = from, t = to, m = method;
        return [=](ScriptingFileSystem& s, const Sandbox& b) {
            std::vector<Variant> args;
            args.emplace_back(b.path(f));
            args.emplace_back(b.path(t));
            if (extra >= 0) args.push_back(Variant::boolean(extra == 1));
            return s.call(m.c_str(), std::move(args));
        };
    };
    auto one = [](const wchar_t* method, const wchar_t* path, int extra) {
        const std::wstring p = path, m = method;
        return [=](ScriptingFileSystem& s, const Sandbox& b) {
            std::vector<Variant> args;
            args.emplace_back(b.path(p));
            if (extra >= 0) args.push_back(Variant::boolean(extra == 1));
            Outcome o = s.call(m.c_str(), std::move(args));
            o.value.clear();
            return o;
        };
    };
    auto none = [](auto&& action) {
        return [action](FileSystem& f, const Sandbox& b) {
            return ours([&] {
                action(f, b);
                return std::wstring();
            });
        };
    };

    const Step steps[] = {
        exists(L"a.txt"),
        exists(L"dir"),
        exists(L"dir\\"),
        exists(L"x.y"),
        exists(L"missing"),
        exists(L"missing\\a.txt"),
        {"size of a file", [](ScriptingFileSystem& s, const Sandbox& b) { return s.property(L"GetFile", Variant(b.path(L"a.txt")), L"Size"); },
         [](FileSystem& f, const Sandbox& b) { return ours([&] { return std::to_wstring(f.fileSize(b.path(L"a.txt"))); }); }},
        {"size of a missing file", [](ScriptingFileSystem& s, const Sandbox& b) { return s.property(L"GetFile", Variant(b.path(L"nope.txt")), L"Size"); },
         [](FileSystem& f, const Sandbox& b) { return ours([&] { return std::to_wstring(f.fileSize(b.path(L"nope.txt"))); }); }},
        {"size of a folder", [](ScriptingFileSystem& s, const Sandbox& b) { return s.property(L"GetFile", Variant(b.path(L"dir")), L"Size"); },
         [](FileSystem& f, const Sandbox& b) { return ours([&] { return std::to_wstring(f.fileSize(b.path(L"dir"))); }); }},
        {"files of a folder", [](ScriptingFileSystem& s, const Sandbox& b) { return s.names(b.path(L"dir"), L"Files"); },
         [](FileSystem& f, const Sandbox& b) { return ours([&] { return joined(f.fileNames(b.path(L"dir"))); }); }},
        {"subfolders", [](ScriptingFileSystem& s, const Sandbox& b) { return s.names(b.base(), L"SubFolders"); },
         [](FileSystem& f, const Sandbox& b) { return ours([&] { return joined(f.subfolderNames(b.base())); }); }},
        {"files of a missing folder", [](ScriptingFileSystem& s, const Sandbox& b) { return s.names(b.path(L"nope"), L"Files"); },
         [](FileSystem& f, const Sandbox& b) { return ours([&] { return joined(f.fileNames(b.path(L"nope"))); }); }},
        {"move onto an existing file", two(L"MoveFile", L"a.txt", L"b.txt", -1),
         none([](FileSystem& f, const Sandbox& b) { f.moveFile(b.path(L"a.txt"), b.path(L"b.txt")); })},
        {"move of a missing file", two(L"MoveFile", L"nope.txt", L"c.txt", -1),
         none([](FileSystem& f, const Sandbox& b) { f.moveFile(b.path(L"nope.txt"), b.path(L"c.txt")); })},
        {"move to a free name", two(L"MoveFile", L"a.txt", L"a.txt_test", -1),
         none([](FileSystem& f, const Sandbox& b) { f.moveFile(b.path(L"a.txt"), b.path(L"a.txt_test")); })},
        {"move back", two(L"MoveFile", L"a.txt_test", L"a.txt", -1),
         none([](FileSystem& f, const Sandbox& b) { f.moveFile(b.path(L"a.txt_test"), b.path(L"a.txt")); })},
        {"move a read-only file", two(L"MoveFile", L"ro.txt", L"ro2.txt", -1),
         none([](FileSystem& f, const Sandbox& b) { f.moveFile(b.path(L"ro.txt"), b.path(L"ro2.txt")); })},
        {"delete read-only without force", one(L"DeleteFile", L"ro2.txt", 0),
         none([](FileSystem& f, const Sandbox& b) { f.deleteFile(b.path(L"ro2.txt"), false); })},
        {"delete a missing file", one(L"DeleteFile", L"nope.txt", 1),
         none([](FileSystem& f, const Sandbox& b) { f.deleteFile(b.path(L"nope.txt"), true); })},
        {"copy without overwrite", two(L"CopyFile", L"a.txt", L"b.txt", 0),
         none([](FileSystem& f, const Sandbox& b) { f.copyFile(b.path(L"a.txt"), b.path(L"b.txt"), false); })},
        {"copy onto a read-only file", two(L"CopyFile", L"a.txt", L"ro2.txt", 1),
         none([](FileSystem& f, const Sandbox& b) { f.copyFile(b.path(L"a.txt"), b.path(L"ro2.txt"), true); })},
        {"copy of a missing file", two(L"CopyFile", L"nope.txt", L"c.txt", 1),
         none([](FileSystem& f, const Sandbox& b) { f.copyFile(b.path(L"nope.txt"), b.path(L"c.txt"), true); })},
        {"copy with overwrite", two(L"CopyFile", L"a.txt", L"b.txt", 1),
         none([](FileSystem& f, const Sandbox& b) { f.copyFile(b.path(L"a.txt"), b.path(L"b.txt"), true); })},
        {"copy into a missing folder", two(L"CopyFile", L"a.txt", L"nope\\c.txt", 1),
         none([](FileSystem& f, const Sandbox& b) { f.copyFile(b.path(L"a.txt"), b.path(L"nope\\c.txt"), true); })},
        {"delete read-only with force", one(L"DeleteFile", L"ro2.txt", 1),
         none([](FileSystem& f, const Sandbox& b) { f.deleteFile(b.path(L"ro2.txt"), true); })},
        {"create an existing folder", one(L"CreateFolder", L"dir", -1),
         none([](FileSystem& f, const Sandbox& b) { f.createFolder(b.path(L"dir")); })},
        {"create under a missing parent", one(L"CreateFolder", L"nope\\x", -1),
         none([](FileSystem& f, const Sandbox& b) { f.createFolder(b.path(L"nope\\x")); })},
        {"create a folder", one(L"CreateFolder", L"new", -1),
         none([](FileSystem& f, const Sandbox& b) { f.createFolder(b.path(L"new")); })},
        {"delete a tree with read-only files", one(L"DeleteFolder", L"tree", 1),
         none([](FileSystem& f, const Sandbox& b) { f.deleteFolder(b.path(L"tree"), true); })},
        {"delete a missing folder", one(L"DeleteFolder", L"nope", 1),
         none([](FileSystem& f, const Sandbox& b) { f.deleteFolder(b.path(L"nope"), true); })},
        // Wildcards in the last part of the name.
        {"delete with wildcards", one(L"DeleteFile", L"*.tmp", 1),
         none([](FileSystem& f, const Sandbox& b) { f.deleteFile(b.path(L"*.tmp"), true); })},
        {"delete with wildcards, none match", one(L"DeleteFile", L"*.none", 1),
         none([](FileSystem& f, const Sandbox& b) { f.deleteFile(b.path(L"*.none"), true); })},
        {"copy with wildcards into a folder", two(L"CopyFile", L"dir\\*.dft", L"x.y", 1),
         none([](FileSystem& f, const Sandbox& b) { f.copyFile(b.path(L"dir\\*.dft"), b.path(L"x.y"), true); })},
        {"copy with wildcards, none match", two(L"CopyFile", L"*.none", L"x.y", 1),
         none([](FileSystem& f, const Sandbox& b) { f.copyFile(b.path(L"*.none"), b.path(L"x.y"), true); })},
        {"copy into a folder named with a closing backslash", two(L"CopyFile", L"b.txt", L"x.y\\", 1),
         none([](FileSystem& f, const Sandbox& b) { f.copyFile(b.path(L"b.txt"), b.path(L"x.y\\"), true); })},
        {"delete folders with wildcards", one(L"DeleteFolder", L"old*", 1),
         none([](FileSystem& f, const Sandbox& b) { f.deleteFolder(b.path(L"old*"), true); })},
        {"delete folders with wildcards, none match", one(L"DeleteFolder", L"none*", 1),
         none([](FileSystem& f, const Sandbox& b) { f.deleteFolder(b.path(L"none*"), true); })},
    };
    // Where wine's scrrun is known to answer otherwise than the scripting runtime of Windows, we
    // hold to the Windows number.
    struct WineDeviation {
        const char* step;
        int32_t wine;
        int32_t windows;
    };
    const WineDeviation deviations[] = {
        {"size of a folder", static_cast<int32_t>(E_FAIL), rt::FileNotFound},
        {"create under a missing parent", static_cast<int32_t>(HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND)),
         rt::PathNotFound},
        {"delete a missing folder", rt::FileNotFound, rt::PathNotFound},
        {"delete folders with wildcards, none match", rt::FileNotFound, rt::PathNotFound},
    };
    for (const auto& step : steps) {
        const Outcome theirs = step.theirs(scripting, theirBox);
        const Outcome mine = step.mine(win32, myBox);
        const auto deviation = std::find_if(std::begin(deviations), std::end(deviations), [&](const WineDeviation& d) {
            return std::string(d.step) == step.what && d.wine == theirs.error;
        });
        if (deviation != std::end(deviations)) {
            EXPECT_EQ(mine.error, deviation->windows) << step.what;
        } else {
            EXPECT_EQ(mine, theirs) << step.what << ": ours " << describe(mine) << ", theirs " << describe(theirs);
        }
        EXPECT_EQ(toUtf8(treeOf(myBox)), toUtf8(treeOf(theirBox))) << "trees differ after: " << step.what;
    }

    Outcome special = scripting.property(L"GetSpecialFolder", Variant::i4(2), L"Path");
    EXPECT_EQ(ours([&] { return win32.specialFolder(2); }), special) << "temporary folder";

    // GetDriveName agrees for drive paths; for UNC paths wine's object answers "" where Windows
    // (and we) answer "\\server\share".
    EXPECT_EQ(scripting.call(L"GetDriveName", {Variant(L"c:\\a\\b")}).value, win32.driveName(L"c:\\a\\b"));
}

// Moves on a fresh pair of trees each: wine's MoveFile is a bare system rename (no wildcards, no
// target folder named by a closing backslash, and it moves folders too), so where wine answers as
// listed the trees part, and we hold to the number of the scripting runtime of Windows. What our
// moves leave behind is checked on its own (WildcardOperations.*).
TEST(ScriptingRuntimeComparison, MovesAnswerAsOnWindows) {
    ScriptingFileSystem scripting;
    if (!scripting.available()) GTEST_SKIP() << "Scripting.FileSystemObject cannot be created here";
    Win32FileSystem win32;
    constexpr int32_t WineFails = static_cast<int32_t>(E_FAIL);
    struct Move {
        const char* what;
        const wchar_t* from;
        const wchar_t* to;
        int32_t windows;  // the scripting runtime of Windows
        int32_t wine;     // wine's scrrun where it answers otherwise
    };
    const Move moves[] = {
        {"a file to a free name", L"a.txt", L"moved.txt", 0, 0},
        {"onto a folder", L"a.txt", L"x.y", rt::FileAlreadyExists, rt::FileAlreadyExists},
        {"with wildcards into a folder", L"*.tmp", L"x.y", 0, WineFails},
        {"with wildcards, none match", L"*.none", L"x.y", rt::FileNotFound, WineFails},
        {"into a folder named with a closing backslash", L"a.txt", L"x.y\\", 0, rt::FileAlreadyExists},
        {"a folder", L"dir", L"dir2", rt::FileNotFound, 0},
    };
    for (const Move& move : moves) {
        Sandbox theirBox;
        Sandbox myBox;
        arrange(theirBox);
        arrange(myBox);
        const Outcome theirs =
            scripting.call(L"MoveFile", {Variant(theirBox.path(move.from)), Variant(theirBox.path(move.to))});
        const Outcome mine = ours([&] {
            win32.moveFile(myBox.path(move.from), myBox.path(move.to));
            return std::wstring();
        });
        EXPECT_EQ(mine.error, move.windows) << "move " << move.what;
        if (theirs.error == move.windows) {
            EXPECT_EQ(toUtf8(treeOf(myBox)), toUtf8(treeOf(theirBox))) << "trees differ after move " << move.what;
        } else {
            EXPECT_EQ(theirs.error, move.wine) << "move " << move.what << ": an answer of wine not known before";
        }
    }
}
#endif
