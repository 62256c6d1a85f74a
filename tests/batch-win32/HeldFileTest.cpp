// The lock beside a report as Windows keeps it: one holder at a time, gone with its holder, and a
// folder that is not there is an error, not somebody else's lock.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "automation/AutomationError.h"
#include "batch/win32/Win32BatchFiles.h"

namespace korvane {
namespace {

std::wstring scratchFile(const wchar_t* name) {
    wchar_t folder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    return std::wstring(folder) + name + std::to_wstring(GetCurrentProcessId());
}

bool exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

TEST(HeldFile, OneHolderAtATimeAndTheFileGoesWithIt) {
    Win32BatchFiles files;
    const std::wstring lock = scratchFile(L"korvane-sperre-");
    auto first = files.hold(lock);
    ASSERT_TRUE(first);
    EXPECT_TRUE(exists(lock));
    EXPECT_FALSE(files.hold(lock)) << "a second holder while the first holds it";
    EXPECT_FALSE(files.readBytes(lock).has_value()) << "opened by a reader while held";
    first.reset();
    EXPECT_FALSE(exists(lock)) << "the lock outlived its holder";
    auto again = files.hold(lock);
    EXPECT_TRUE(again) << "not to be had again after its holder let go";
}

TEST(HeldFile, AFileThatIsThereAndHeldByNobodyIsLeftAlone) {
    Win32BatchFiles files;
    const std::wstring lock = scratchFile(L"korvane-fremd-");
    files.writeBytes(lock, "Notizen");
    try {
        files.hold(lock);
        ADD_FAILURE() << "taken";
    } catch (const AutomationError& e) {
        EXPECT_EQ(58, e.number());
    }
    EXPECT_EQ("Notizen", files.readBytes(lock).value_or("<gone>"));
    DeleteFileW(lock.c_str());
}

TEST(HeldFile, AFolderThatIsNotThereIsAnErrorNotALock) {
    Win32BatchFiles files;
    EXPECT_THROW(files.hold(scratchFile(L"korvane-kein-ordner-") + L"\\bericht.csv.sperre"), AutomationError);
}

}  // namespace
}  // namespace korvane
