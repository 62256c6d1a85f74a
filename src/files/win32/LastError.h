#pragma once
// Win32 errors as the runtime numbers the scripting runtime raises for them (53 file not found,
// 76 path not found, 70 permission denied, ...), so that every file operation of the Windows build
// reports a failure with the same number.
#include <cstdint>

namespace korvane {

// The runtime number of a Win32 error code (75, path/file access error, for any other).
int32_t runtimeNumberOfSystemError(unsigned long error);

// Raises AutomationError with the runtime number of the calling thread's last Win32 error.
[[noreturn]] void raiseLastError();

}  // namespace korvane
