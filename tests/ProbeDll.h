#pragma once
// The stand-in DLL that the Windows build puts beside the test programs under a name no system folder
// has (tests/CMakeLists.txt): whatever loads it by that bare name has looked in the program's folder.
#ifdef _WIN32

#include <windows.h>

#include <string>

#include "automation/UniqueResource.h"

namespace korvane::test {

inline constexpr wchar_t kProbeDll[] = L"korvane-probe.dll";

using LoadedModule = UniqueResource<HMODULE, &::FreeLibrary>;

// Whether the ordinary search finds the probe. A check that the probe is not loaded proves nothing
// unless this holds. The probe marks its load with "<its path>.loaded", which is removed again.
inline bool probeFoundByTheOrdinarySearch() {
    const LoadedModule probe(::LoadLibraryW(kProbeDll));
    if (!probe) return false;
    std::wstring path(MAX_PATH, L'\0');
    const DWORD length = ::GetModuleFileNameW(probe.get(), path.data(), MAX_PATH);
    if (length > 0 && length < MAX_PATH) ::DeleteFileW((path.substr(0, length) + L".loaded").c_str());
    return true;
}

}  // namespace korvane::test

#endif
