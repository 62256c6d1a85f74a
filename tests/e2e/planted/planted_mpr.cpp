// The planted mpr.dll: whoever loads it leaves "<its own path>.loaded" behind, and its one export answers
// that nothing is connected, so that a program that uses it cannot find any share either.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <string>

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID /*reserved*/) {
    if (reason != DLL_PROCESS_ATTACH) return TRUE;
    std::wstring path(MAX_PATH, L'\0');
    const DWORD length = ::GetModuleFileNameW(instance, path.data(), MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return TRUE;
    path.resize(length);
    path += L".loaded";
    const HANDLE mark = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (mark != INVALID_HANDLE_VALUE) ::CloseHandle(mark);
    return TRUE;
}

extern "C" __declspec(dllexport) DWORD WINAPI WNetGetConnectionW(const wchar_t* /*localName*/, wchar_t* /*remoteName*/,
                                                                 DWORD* /*length*/) {
    return ERROR_NOT_CONNECTED;
}
