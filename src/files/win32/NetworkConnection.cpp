#include "files/win32/NetworkConnection.h"

#include "files/win32/SystemLibrary.h"

namespace korvane {

DWORD networkConnection(const wchar_t* localName, wchar_t* remoteName, DWORD* length) {
    using GetConnection = DWORD(WINAPI*)(const wchar_t*, wchar_t*, DWORD*);
    // Loaded once and kept for the rest of the process.
    static const SystemLibrary mpr(L"mpr.dll");
    static const auto getConnection = mpr.procedure<GetConnection>("WNetGetConnectionW");
    if (!getConnection) return ERROR_NO_NETWORK;
    return getConnection(localName, remoteName, length);
}

}  // namespace korvane
