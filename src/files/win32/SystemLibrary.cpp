#include "files/win32/SystemLibrary.h"

#include <string>

namespace korvane {

SystemLibrary::SystemLibrary(const wchar_t* fileName) {
    // The DLL and everything it loads come from the system folder only.
    module_ = ::LoadLibraryExW(fileName, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (module_ || ::GetLastError() != ERROR_INVALID_PARAMETER) return;
    // A Windows 7 without its loader update knows no search flags: name the system folder's file itself.
    std::wstring path(MAX_PATH, L'\0');
    const UINT length = ::GetSystemDirectoryW(path.data(), MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return;
    path.resize(length);
    path += L'\\';
    path += fileName;
    module_ = ::LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

SystemLibrary::~SystemLibrary() {
    if (module_) ::FreeLibrary(module_);
}

}  // namespace korvane
