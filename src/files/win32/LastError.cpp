#include "files/win32/LastError.h"

#include <windows.h>

#include "automation/AutomationError.h"

namespace korvane {

int32_t runtimeNumberOfSystemError(unsigned long error) {
    switch (error) {
    case ERROR_FILE_NOT_FOUND: return rt::FileNotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_FILENAME_EXCED_RANGE: return rt::PathNotFound;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_WRITE_PROTECT: return rt::PermissionDenied;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS: return rt::FileAlreadyExists;
    case ERROR_INVALID_NAME: return rt::BadFileName;
    case ERROR_HANDLE_DISK_FULL:
    case ERROR_DISK_FULL: return rt::DiskFull;
    case ERROR_TOO_MANY_OPEN_FILES: return rt::TooManyFiles;
    case ERROR_INVALID_DRIVE: return rt::DeviceUnavailable;
    case ERROR_NOT_READY: return rt::DiskNotReady;
    case ERROR_NOT_SAME_DEVICE: return rt::RenameAcrossDrives;
    default: return rt::PathFileAccessError;
    }
}

void raiseLastError() { raiseRuntimeError(runtimeNumberOfSystemError(::GetLastError())); }

}  // namespace korvane
