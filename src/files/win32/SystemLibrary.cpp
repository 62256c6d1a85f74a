#include "files/win32/SystemLibrary.h"

#include <string>

namespace korvane {

namespace {

HMODULE loadFromSystemFolder(const wchar_t* fileName) {
    // The DLL and everything it loads come from the system folder only.
    HMODULE module = ::LoadLibraryExW(fileName, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (module || ::GetLastError() != ERROR_INVALID_PARAMETER) return module;
    // A Windows 7 without its loader update knows no search flags: name the system folder's file itself.
    std::wstring path(MAX_PATH, L'\0');
    const UINT length = ::GetSystemDirectoryW(path.data(), MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return nullptr;
    path.resize(length);
    path += L'\\';
    path += fileName;
    return ::LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

}  // namespace

SystemLibrary::SystemLibrary(const wchar_t* fileName) : module_(loadFromSystemFolder(fileName)) {}

}  // namespace korvane
