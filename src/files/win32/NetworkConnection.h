#pragma once
// WNetGetConnectionW of mpr.dll, which is not one of Windows' known DLLs: it is loaded from the system
// folder on first use (SystemLibrary.h) instead of being imported, so that an mpr.dll placed beside
// korvane.exe is never loaded.
#include <windows.h>

namespace korvane {

// As WNetGetConnectionW; ERROR_NO_NETWORK when the system's mpr.dll cannot be loaded.
DWORD networkConnection(const wchar_t* localName, wchar_t* remoteName, DWORD* length);

}  // namespace korvane
