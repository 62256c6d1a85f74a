#include "files/win32/Win32FileSystem.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include "automation/AutomationError.h"
#include "automation/TextConvert.h"
#include "automation/UniqueResource.h"
#include "files/FileSystemSupport.h"
#include "files/win32/LastError.h"
#include "files/win32/NetworkConnection.h"

namespace korvane {

namespace {

DWORD attributesOrRaise(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) raiseLastError();
    return attributes;
}

bool isFolder(DWORD attributes) { return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }
bool isReadOnly(DWORD attributes) { return (attributes & FILE_ATTRIBUTE_READONLY) != 0; }

void clearReadOnly(const std::wstring& path, DWORD attributes) {
    DWORD cleared = attributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY);
    if (cleared == 0) cleared = FILE_ATTRIBUTE_NORMAL;
    if (!::SetFileAttributesW(path.c_str(), cleared)) raiseLastError();
}

WIN32_FILE_ATTRIBUTE_DATA fileDataOrRaise(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) raiseLastError();
    // The scripting runtime knows no file of a folder's name.
    if (isFolder(data.dwFileAttributes)) raiseRuntimeError(rt::FileNotFound);
    return data;
}

std::wstring withoutClosingBackslash(std::wstring path) {
    if (path.size() > 3 && path.back() == L'\\') path.pop_back();
    return path;
}

using FindHandle = UniqueResource<HANDLE, &::FindClose, NullOrAllOnesEmpty<HANDLE>>;

// The first entry of a folder listing in data; an empty handle when there is none (GetLastError says why).
FindHandle findFirst(const std::wstring& pattern, WIN32_FIND_DATAW& data) {
    return FindHandle(::FindFirstFileW(pattern.c_str(), &data));
}

bool findNext(const FindHandle& find, WIN32_FIND_DATAW& data) { return ::FindNextFileW(find.get(), &data) != 0; }

bool isDotEntry(const wchar_t* name) { return std::wstring_view(name) == L"." || std::wstring_view(name) == L".."; }

struct Match {
    std::wstring path;
    DWORD attributes;
};

// The entries a name with wildcards in its last part stands for, files or folders, in the file
// system's order. None is an empty list; a folder on the way that is missing raises its error.
std::vector<Match> matchesOf(const std::wstring& wildcardName, bool folders) {
    const size_t separator = wildcardName.find_last_of(L"\\/");
    const std::wstring folder = separator == std::wstring::npos ? std::wstring() : wildcardName.substr(0, separator + 1);
    std::vector<Match> matches;
    WIN32_FIND_DATAW data{};
    const FindHandle find = findFirst(wildcardName, data);
    if (!find) {
        if (::GetLastError() == ERROR_FILE_NOT_FOUND || ::GetLastError() == ERROR_NO_MORE_FILES) return matches;
        raiseLastError();
    }
    do {
        if (!isDotEntry(data.cFileName) && isFolder(data.dwFileAttributes) == folders)
            matches.push_back({folder + data.cFileName, data.dwFileAttributes});
    } while (findNext(find, data));
    return matches;
}

void deleteOneFile(const std::wstring& path, DWORD attributes, bool force) {
    if (isReadOnly(attributes)) {
        if (!force) raiseRuntimeError(rt::PermissionDenied);
        clearReadOnly(path, attributes);
    }
    if (!::DeleteFileW(path.c_str())) raiseLastError();
}

void copyOneFile(const std::wstring& from, const std::wstring& to, bool overwrite) {
    if (isFolder(attributesOrRaise(from))) raiseRuntimeError(rt::FileNotFound);
    if (!::CopyFileW(from.c_str(), to.c_str(), overwrite ? FALSE : TRUE)) raiseLastError();
}

// The scripting runtime moves files only; a folder given as the source is no file it finds.
void moveOneFile(const std::wstring& from, const std::wstring& to) {
    const DWORD attributes = ::GetFileAttributesW(from.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && isFolder(attributes)) raiseRuntimeError(rt::FileNotFound);
    if (!::MoveFileW(from.c_str(), to.c_str())) raiseLastError();
}

// The sources of a copy or move: the files a wildcard name matches (none is 53), or the name itself.
std::vector<std::wstring> sourcesOf(const std::wstring& from) {
    std::vector<std::wstring> sources;
    if (!hasWildcards(from)) {
        sources.push_back(from);
        return sources;
    }
    for (const Match& m : matchesOf(from, false)) sources.push_back(m.path);
    if (sources.empty()) raiseRuntimeError(rt::FileNotFound);
    return sources;
}

// Deletes a folder with everything in it. Without force a read-only entry stops the walk with 70.
// A linked folder (junction) is removed as a link, never followed.
void removeTree(const std::wstring& folder, DWORD attributes, bool force) {
    if (isReadOnly(attributes)) {
        if (!force) raiseRuntimeError(rt::PermissionDenied);
        clearReadOnly(folder, attributes);
    }
    if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) {
        WIN32_FIND_DATAW data{};
        const FindHandle find = findFirst(intoFolder(folder, L"*"), data);
        if (!find && ::GetLastError() != ERROR_FILE_NOT_FOUND) raiseLastError();
        for (bool more = static_cast<bool>(find); more; more = findNext(find, data)) {
            if (isDotEntry(data.cFileName)) continue;
            const std::wstring child = intoFolder(folder, data.cFileName);
            if (isFolder(data.dwFileAttributes)) {
                removeTree(child, data.dwFileAttributes, force);
                continue;
            }
            if (isReadOnly(data.dwFileAttributes)) {
                if (!force) raiseRuntimeError(rt::PermissionDenied);
                clearReadOnly(child, data.dwFileAttributes);
            }
            if (!::DeleteFileW(child.c_str())) raiseLastError();
        }
    }
    if (!::RemoveDirectoryW(folder.c_str())) raiseLastError();
}

DriveType driveTypeOf(UINT type) {
    switch (type) {
    case DRIVE_REMOVABLE: return DriveType::Removable;
    case DRIVE_FIXED: return DriveType::Fixed;
    case DRIVE_REMOTE: return DriveType::Network;
    case DRIVE_CDROM: return DriveType::CDRom;
    case DRIVE_RAMDISK: return DriveType::RamDisk;
    default: return DriveType::Unknown;
    }
}

}  // namespace

bool Win32FileSystem::fileExists(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !isFolder(attributes);
}

bool Win32FileSystem::folderExists(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && isFolder(attributes);
}

std::wstring Win32FileSystem::driveName(const std::wstring& path) { return driveNameOf(path); }

std::vector<DriveEntry> Win32FileSystem::drives() {
    std::wstring roots(::GetLogicalDriveStringsW(0, nullptr), L'\0');
    const DWORD used = ::GetLogicalDriveStringsW(static_cast<DWORD>(roots.size()), roots.data());
    if (used == 0 || used >= roots.size()) raiseLastError();
    std::vector<DriveEntry> entries;
    for (const wchar_t* root = roots.c_str(); *root; root += std::wstring_view(root).size() + 1)
        entries.push_back({std::wstring(1, toUpperChar(root[0])), driveTypeOf(::GetDriveTypeW(root))});
    return entries;
}

std::wstring Win32FileSystem::shareName(const std::wstring& letter) {
    if (letter.empty()) raiseRuntimeError(rt::DeviceUnavailable);
    const std::wstring device = letter.substr(0, 1) + L":";
    const UINT type = ::GetDriveTypeW((device + L"\\").c_str());
    if (type == DRIVE_NO_ROOT_DIR || type == DRIVE_UNKNOWN) raiseRuntimeError(rt::DeviceUnavailable);
    if (type != DRIVE_REMOTE) return {};
    std::wstring share(MAX_PATH, L'\0');
    DWORD length = static_cast<DWORD>(share.size());
    DWORD result = networkConnection(device.c_str(), share.data(), &length);
    if (result == ERROR_MORE_DATA) {
        share.assign(length, L'\0');
        result = networkConnection(device.c_str(), share.data(), &length);
    }
    if (result != NO_ERROR) raiseRuntimeError(rt::DeviceUnavailable);
    share.resize(std::wstring_view(share.c_str()).size());
    while (share.size() > 2 && share.back() == L'\\') share.pop_back();
    return share;
}

std::wstring Win32FileSystem::specialFolder(int32_t which) {
    std::wstring path(MAX_PATH + 1, L'\0');
    UINT length = 0;
    switch (which) {
    case 0: length = ::GetWindowsDirectoryW(path.data(), MAX_PATH + 1); break;
    case 1: length = ::GetSystemDirectoryW(path.data(), MAX_PATH + 1); break;
    case 2: length = ::GetTempPathW(MAX_PATH + 1, path.data()); break;
    default: raiseRuntimeError(rt::InvalidArgument);
    }
    if (length == 0 || length > MAX_PATH) raiseLastError();
    path.resize(length);
    return withoutClosingBackslash(path);
}

int64_t Win32FileSystem::fileSize(const std::wstring& path) {
    const WIN32_FILE_ATTRIBUTE_DATA data = fileDataOrRaise(path);
    return static_cast<int64_t>((static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow);
}

AutomationDate Win32FileSystem::dateLastModified(const std::wstring& path) {
    const WIN32_FILE_ATTRIBUTE_DATA data = fileDataOrRaise(path);
    FILETIME local{};
    SYSTEMTIME time{};
    if (!::FileTimeToLocalFileTime(&data.ftLastWriteTime, &local) || !::FileTimeToSystemTime(&local, &time))
        raiseLastError();
    return automationDateOf(time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute, time.wSecond);
}

void Win32FileSystem::createFolder(const std::wstring& path) {
    if (!::CreateDirectoryW(path.c_str(), nullptr)) raiseLastError();
}

// Wildcards in the last part of a source, or a target that ends with a separator, make the target
// a folder that every matching file goes into; the first failure stops the walk, and what was done
// before it stays done, as with the scripting runtime.
void Win32FileSystem::moveFile(const std::wstring& from, const std::wstring& to) {
    if (!hasWildcards(from) && !endsWithSeparator(to)) return moveOneFile(from, to);
    for (const std::wstring& source : sourcesOf(from)) moveOneFile(source, intoFolder(to, source));
}

void Win32FileSystem::deleteFile(const std::wstring& path, bool force) {
    if (hasWildcards(path)) {
        const std::vector<Match> matches = matchesOf(path, false);
        if (matches.empty()) raiseRuntimeError(rt::FileNotFound);
        for (const Match& m : matches) deleteOneFile(m.path, m.attributes, force);
        return;
    }
    const DWORD attributes = attributesOrRaise(path);
    if (isFolder(attributes)) raiseRuntimeError(rt::FileNotFound);
    deleteOneFile(path, attributes, force);
}

void Win32FileSystem::deleteFolder(const std::wstring& path, bool force) {
    if (hasWildcards(path)) {
        const std::vector<Match> matches = matchesOf(path, true);
        if (matches.empty()) raiseRuntimeError(rt::PathNotFound);
        for (const Match& m : matches) removeTree(m.path, m.attributes, force);
        return;
    }
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    // A missing folder, or a file given as one, is a missing path to the scripting runtime.
    if (attributes == INVALID_FILE_ATTRIBUTES || !isFolder(attributes)) raiseRuntimeError(rt::PathNotFound);
    removeTree(withoutClosingBackslash(path), attributes, force);
}

void Win32FileSystem::copyFile(const std::wstring& from, const std::wstring& to, bool overwrite) {
    if (!hasWildcards(from) && !endsWithSeparator(to)) return copyOneFile(from, to, overwrite);
    for (const std::wstring& source : sourcesOf(from)) copyOneFile(source, intoFolder(to, source), overwrite);
}

std::vector<std::wstring> Win32FileSystem::namesIn(const std::wstring& folder, bool folders) {
    const DWORD attributes = ::GetFileAttributesW(folder.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !isFolder(attributes)) raiseRuntimeError(rt::PathNotFound);
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW data{};
    const FindHandle find = findFirst(intoFolder(folder, L"*"), data);
    if (!find) {
        if (::GetLastError() == ERROR_FILE_NOT_FOUND) return names;
        raiseLastError();
    }
    do {
        if (!isDotEntry(data.cFileName) && isFolder(data.dwFileAttributes) == folders) names.emplace_back(data.cFileName);
    } while (findNext(find, data));
    return names;
}

std::vector<std::wstring> Win32FileSystem::fileNames(const std::wstring& folder) { return namesIn(folder, false); }

std::vector<std::wstring> Win32FileSystem::subfolderNames(const std::wstring& folder) {
    return namesIn(folder, true);
}

std::shared_ptr<FileSystem> defaultFileSystem() { return std::make_shared<Win32FileSystem>(); }

}  // namespace korvane

namespace korvane {

std::optional<std::wstring> Win32FileSystem::fileIdentity(const std::wstring& path) {
    using Handle = UniqueResource<HANDLE, &::CloseHandle, NullOrAllOnesEmpty<HANDLE>>;
    // No access asked: another program's lock on the drawing does not hide which file it is.
    const Handle file(::CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return std::nullopt;
    BY_HANDLE_FILE_INFORMATION info{};
    if (!::GetFileInformationByHandle(file.get(), &info)) return std::nullopt;
    if ((info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return std::nullopt;
    wchar_t text[96];
    swprintf(text, 96, L"%08lx:%08lx%08lx:%08lx%08lx:%08lx%08lx", static_cast<unsigned long>(info.dwVolumeSerialNumber),
             static_cast<unsigned long>(info.nFileIndexHigh), static_cast<unsigned long>(info.nFileIndexLow),
             static_cast<unsigned long>(info.nFileSizeHigh), static_cast<unsigned long>(info.nFileSizeLow),
             static_cast<unsigned long>(info.ftLastWriteTime.dwHighDateTime),
             static_cast<unsigned long>(info.ftLastWriteTime.dwLowDateTime));
    return std::wstring(text);
}

}  // namespace korvane
