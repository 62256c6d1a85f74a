#include "batch/win32/Win32BatchFiles.h"

#include <windows.h>

#include <algorithm>
#include <memory>

#include "automation/AutomationError.h"
#include "files/win32/LastError.h"
#include "processes/win32/UniqueHandle.h"

namespace korvane {

namespace {

void put(const std::wstring& path, std::string_view bytes, DWORD disposition, bool append, bool flush = false) {
    UniqueHandle file(CreateFileW(path.c_str(), append ? FILE_APPEND_DATA : GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                  disposition, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) raiseLastError();
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD written = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 20));
        if (!WriteFile(file.get(), bytes.data() + done, chunk, &written, nullptr) || written == 0) raiseLastError();
        done += written;
    }
    // What takes another file's place must be on the disk before it does.
    if (flush && !FlushFileBuffers(file.get())) raiseLastError();
}

// Made here, open without sharing and deleted on close: a second opener fails with a sharing violation
// (or, once the holder's close is under way, access denied), and the system closes the handle of a
// killed holder, which deletes the file.
class Win32HeldFile : public HeldFile {
public:
    explicit Win32HeldFile(UniqueHandle handle) : handle_(std::move(handle)) {}

private:
    UniqueHandle handle_;
};

}  // namespace

bool Win32BatchFiles::isReadOnly(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

bool Win32BatchFiles::isLocked(const std::wstring& path) {
    UniqueHandle file(CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file) return false;
    const DWORD error = GetLastError();
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION;
}

std::optional<std::string> Win32BatchFiles::readBytes(const std::wstring& path) {
    UniqueHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return std::nullopt;
    std::string bytes;
    char buffer[65536];
    for (;;) {
        DWORD read = 0;
        if (!ReadFile(file.get(), buffer, sizeof buffer, &read, nullptr)) return std::nullopt;
        if (read == 0) return bytes;
        bytes.append(buffer, read);
    }
}

void Win32BatchFiles::writeBytes(const std::wstring& path, std::string_view bytes) {
    put(path, bytes, CREATE_ALWAYS, false);
}

void Win32BatchFiles::appendBytes(const std::wstring& path, std::string_view bytes) {
    put(path, bytes, OPEN_ALWAYS, true);
}

void Win32BatchFiles::createBytes(const std::wstring& path, std::string_view bytes) {
    put(path, bytes, CREATE_NEW, false);
}

void Win32BatchFiles::replaceBytes(const std::wstring& path, std::string_view bytes) {
    const std::wstring temporary = path + L".korvane-tmp";
    put(temporary, bytes, CREATE_ALWAYS, false, true);
    // ReplaceFile keeps the replaced file's attributes and permissions (a drawing put back stays as the
    // administrator set it up); where it cannot (the file is gone, another file system), a plain
    // replacing move does the same step.
    if (ReplaceFileW(path.c_str(), temporary.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)) return;
    if (MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return;
    const DWORD error = GetLastError();
    DeleteFileW(temporary.c_str());
    SetLastError(error);
    raiseLastError();
}

}  // namespace korvane

namespace korvane {

std::unique_ptr<HeldFile> Win32BatchFiles::hold(const std::wstring& path) {
    // Only a file made here is ever deleted: an existing one is another run's lock or somebody's file.
    for (int attempt = 0; attempt < 3; ++attempt) {
        UniqueHandle file(CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_NORMAL | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
        if (file) return std::make_unique<Win32HeldFile>(std::move(file));
        DWORD error = GetLastError();
        if (error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION) return nullptr;
        // A lock whose holder is closing it (delete pending) refuses every opener.
        if (error == ERROR_ACCESS_DENIED && GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) return nullptr;
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) {
            SetLastError(error);
            raiseLastError();
        }
        const UniqueHandle existing(CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (existing) raiseRuntimeError(rt::FileAlreadyExists);  // there, and nobody holds it
        error = GetLastError();
        if (error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION || error == ERROR_ACCESS_DENIED) return nullptr;
        // Gone between the two opens: its holder ended; try again.
    }
    return nullptr;
}

}  // namespace korvane
