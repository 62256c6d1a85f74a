#pragma once
// Owning EXCEPINFO: its BSTRs are freed on destruction.
#include <windows.h>
#include <oleauto.h>

#include "automation/UniqueStruct.h"

namespace korvane::com {

inline void emptyExcepInfo(EXCEPINFO* info) noexcept { *info = EXCEPINFO{}; }

inline void freeExcepInfo(EXCEPINFO* info) noexcept {
    SysFreeString(info->bstrSource);
    SysFreeString(info->bstrDescription);
    SysFreeString(info->bstrHelpFile);
}

using ExcepInfo = UniqueStruct<EXCEPINFO, &freeExcepInfo, &emptyExcepInfo>;

}  // namespace korvane::com
