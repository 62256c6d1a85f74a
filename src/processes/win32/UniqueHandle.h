#pragma once
// Sole owner of a kernel handle: closed exactly once, when the owner goes. Both "no handle" values of
// the kernel API (null and INVALID_HANDLE_VALUE) count as empty.
#include <windows.h>

#include "automation/UniqueResource.h"

namespace korvane {

using UniqueHandle = UniqueResource<HANDLE, &::CloseHandle, NullOrAllOnesEmpty<HANDLE>>;

}  // namespace korvane
