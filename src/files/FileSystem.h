#pragma once
// The file-system port behind clsFileString: the members of the scripting runtime's
// file-system object that the class relies on. Failures raise AutomationError with the classic
// runtime numbers the scripting runtime raises for the same failure (53 file not found,
// 76 path not found, 58 file already exists, 70 permission denied, ...).
// Windows implementation: Win32 API (win32/). Development and tests: POSIX (posix/).
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "automation/Variant.h"

namespace korvane {

// Drive types numbered as the scripting runtime numbers them.
enum class DriveType : int32_t { Unknown = 0, Removable = 1, Fixed = 2, Network = 3, CDRom = 4, RamDisk = 5 };

struct DriveEntry {
    std::wstring letter;  // "C" (upper case, no colon)
    DriveType type = DriveType::Unknown;
};

class FileSystem {
public:
    virtual ~FileSystem() = default;

    virtual bool fileExists(const std::wstring& path) = 0;
    virtual bool folderExists(const std::wstring& path) = 0;
    // GetDriveName: "\\server\share" of a UNC path, "C:" of a drive path, "" otherwise.
    virtual std::wstring driveName(const std::wstring& path) = 0;
    // The drives with a letter, in the system's order.
    virtual std::vector<DriveEntry> drives() = 0;
    // The share name of a network drive ("\\server\share", no trailing backslash); raises when unknown.
    virtual std::wstring shareName(const std::wstring& letter) = 0;
    // GetSpecialFolder(n).Path; 2 is the temporary folder.
    virtual std::wstring specialFolder(int32_t which) = 0;
    virtual int64_t fileSize(const std::wstring& path) = 0;
    virtual AutomationDate dateLastModified(const std::wstring& path) = 0;
    virtual void createFolder(const std::wstring& path) = 0;
    // Delete, copy and move take "*" and "?" in the last part of a name, as the scripting runtime
    // does: they act on every matching entry and stop at the first failure; none matching is 53
    // (76 for folders). With such a source, or a target that ends with a separator, the target is
    // the folder the files go into.
    // Moves files only (a folder is 53) and never replaces an existing target (58).
    virtual void moveFile(const std::wstring& from, const std::wstring& to) = 0;
    virtual void deleteFile(const std::wstring& path, bool force) = 0;
    virtual void deleteFolder(const std::wstring& path, bool force) = 0;
    virtual void copyFile(const std::wstring& from, const std::wstring& to, bool overwrite) = 0;
    // Bare names of the files / subfolders directly in a folder, in the file system's order.
    virtual std::vector<std::wstring> fileNames(const std::wstring& folder) = 0;
    virtual std::vector<std::wstring> subfolderNames(const std::wstring& folder) = 0;
    // What tells this file from every other whatever it is called: the volume and the file's number
    // there, with its size and time of last change, so that two volumes numbering files alike are no
    // risk; nothing when the file cannot be opened or the system cannot tell. Two spellings that
    // give the same text name the same file (hard links, 8.3 names, another share of the same folder).
    virtual std::optional<std::wstring> fileIdentity(const std::wstring& path) { (void)path; return std::nullopt; }
};

// The file system of the platform the program was built for (defined by its win32/ or posix/
// implementation); nullptr where there is none to assume, so that creating a clsFileString fails (429).
std::shared_ptr<FileSystem> defaultFileSystem();

}  // namespace korvane
