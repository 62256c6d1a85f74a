// Once korvane.exe has restricted the DLL search, a DLL beside the program is no longer found by
// anyone who loads by bare name, whether korvane.exe itself or a DLL on its behalf.
#ifdef _WIN32

#include <gtest/gtest.h>

#include <cstdlib>

#include "ProbeDll.h"
#include "app/win32/SystemFolderDlls.h"

namespace korvane {
namespace {

TEST(SystemFolderDlls, ADllBesideTheProgramIsNoLongerFound) {
    ASSERT_TRUE(test::probeFoundByTheOrdinarySearch()) << "no probe beside the test program";
    // The restriction holds for the rest of a process, so a child process of its own takes it.
    EXPECT_EXIT(
        {
            loadDllsFromTheSystemFolderOnly();
            const bool found = static_cast<bool>(test::LoadedModule(::LoadLibraryW(test::kProbeDll)));
            std::_Exit(found ? 1 : 0);
        },
        testing::ExitedWithCode(0), "")
        << "the DLL beside the program was still found after the restriction";
}

}  // namespace
}  // namespace korvane

#endif
