#include "app/win32/SystemFolderDlls.h"

#include <windows.h>

namespace korvane {

void loadDllsFromTheSystemFolderOnly() {
    // Looked up rather than imported: a Windows 7 without its loader update lacks the function, and
    // then at least the current folder leaves the search.
    using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);
    const auto setDefaultDllDirectories = reinterpret_cast<SetDefaultDllDirectoriesFunction>(reinterpret_cast<void*>(
        ::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories")));
    if (setDefaultDllDirectories) setDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    ::SetDllDirectoryW(L"");
}

}  // namespace korvane
