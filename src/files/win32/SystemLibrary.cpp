#include "files/win32/SystemLibrary.h"

namespace korvane {

// The DLL and everything it loads come from the system folder only.
SystemLibrary::SystemLibrary(const wchar_t* fileName)
    : module_(::LoadLibraryExW(fileName, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32)) {}

}  // namespace korvane
