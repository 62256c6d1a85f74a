// A DLL of Windows itself comes from the system folder, never from the program's folder, where
// anyone who can write to korvane.exe's network folder could put one.
#ifdef _WIN32

#include <gtest/gtest.h>

#include "ProbeDll.h"
#include "files/win32/SystemLibrary.h"

namespace korvane {
namespace {

using WNetGetConnection = DWORD(WINAPI*)(const wchar_t*, wchar_t*, DWORD*);

TEST(SystemLibrary, TakesTheSystemFoldersDllAndNeverOneBesideTheProgram) {
    ASSERT_TRUE(test::probeFoundByTheOrdinarySearch()) << "no probe beside the test program";
    {
        const SystemLibrary beside(test::kProbeDll);
        EXPECT_FALSE(beside) << "the DLL beside the program was loaded";
    }
    const SystemLibrary mpr(L"mpr.dll");
    ASSERT_TRUE(mpr) << "the system folder's mpr.dll was not loaded";
    EXPECT_NE(mpr.procedure<WNetGetConnection>("WNetGetConnectionW"), nullptr);
}

}  // namespace
}  // namespace korvane

#endif
