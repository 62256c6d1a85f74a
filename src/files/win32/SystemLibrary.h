#pragma once
// A DLL of Windows itself, loaded from the system folder and nowhere else. A DLL that is not one of
// Windows' known DLLs would otherwise be looked for in the program's folder first, and korvane.exe may
// run from a network folder that others can write to.
#include <windows.h>

#include "automation/UniqueResource.h"

namespace korvane {

class SystemLibrary {
public:
    // The DLL's file name ("mpr.dll"); loading failures leave the object empty.
    explicit SystemLibrary(const wchar_t* fileName);

    explicit operator bool() const noexcept { return static_cast<bool>(module_); }

    // The exported function of that name as the given function type, or nullptr.
    template <typename Function>
    Function procedure(const char* name) const noexcept {
        if (!module_) return nullptr;
        return reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(module_.get(), name)));
    }

private:
    UniqueResource<HMODULE, &::FreeLibrary> module_;
};

}  // namespace korvane
