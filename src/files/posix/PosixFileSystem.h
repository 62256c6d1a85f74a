#pragma once
// The file-system port over real files of a POSIX host, for native development and tests.
//
// Windows path names are resolved through two tables:
//   "X:\rest", "X:rest"   -> the host folder of drive X, then rest
//   "\\server\share\rest" -> the host folder of that share, then rest
//   "\rest", "rest"       -> against Config::currentFolder (a Windows path; empty: such names
//                            resolve to nothing, like a missing path)
// Backslash separates (a forward slash too, as on Windows); "." and ".." are resolved in the
// text and never climb above a drive or share root. Drive letters, server and share names are
// compared without regard to case; the rest of the path is as case-sensitive as the host.
// Delete, copy and move take "*" and "?" in the last part of a name as the scripting runtime
// does, and move moves files only. The read-only attribute is the owner's write bit. Listings are
// sorted by name without regard to case (the order NTFS gives), so tests see the same order on
// every host.
//
// For tests, ScratchDrives (tests/files/posix/ScratchDrives.h) builds a temporary tree with a ready drive
// table; hand it to the code under test with
//     korvane::clsFileString files(scratch.fileSystem());
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "files/FileSystem.h"

namespace korvane {

class PosixFileSystem : public FileSystem {
public:
    struct Drive {
        wchar_t letter = L'C';
        DriveType type = DriveType::Fixed;
        std::string hostFolder;
        std::wstring shareName;  // "\\server\share" of a network drive; empty: reading it fails
    };
    struct Share {
        std::wstring name;  // "\\server\share"
        std::string hostFolder;
    };
    struct Config {
        std::vector<Drive> drives;
        std::vector<Share> shares;
        std::wstring tempFolder;     // Windows path of special folder 2, e.g. "C:\Temp"
        std::wstring currentFolder;  // Windows path that relative names start from
    };

    explicit PosixFileSystem(Config config);

    // The host path a Windows path stands for; nullopt when no drive or share matches.
    std::optional<std::string> hostPath(const std::wstring& path) const;

    bool fileExists(const std::wstring& path) override;
    bool folderExists(const std::wstring& path) override;
    std::wstring driveName(const std::wstring& path) override;
    std::vector<DriveEntry> drives() override;
    std::wstring shareName(const std::wstring& letter) override;
    std::wstring specialFolder(int32_t which) override;
    int64_t fileSize(const std::wstring& path) override;
    AutomationDate dateLastModified(const std::wstring& path) override;
    void createFolder(const std::wstring& path) override;
    void moveFile(const std::wstring& from, const std::wstring& to) override;
    void deleteFile(const std::wstring& path, bool force) override;
    void deleteFolder(const std::wstring& path, bool force) override;
    void copyFile(const std::wstring& from, const std::wstring& to, bool overwrite) override;
    std::vector<std::wstring> fileNames(const std::wstring& folder) override;
    std::vector<std::wstring> subfolderNames(const std::wstring& folder) override;
    std::optional<std::wstring> fileIdentity(const std::wstring& path) override;

private:
    const Drive* findDrive(wchar_t letter) const;
    const Share* findShare(std::wstring_view name) const;
    std::optional<std::string> resolve(const std::wstring& path, int depth) const;
    // The host path, or the runtime error of a name that leads nowhere (76).
    std::string requireHostPath(const std::wstring& path) const;
    std::vector<std::wstring> namesIn(const std::wstring& folder, bool folders);
    // The files or folders a name with wildcards in its last part stands for, as full names.
    std::vector<std::wstring> matchesOf(const std::wstring& wildcardName, bool folders);
    // The sources of a copy or move: the files a wildcard name matches (none is 53), or the name.
    std::vector<std::wstring> sourcesOf(const std::wstring& from);
    void moveOneFile(const std::wstring& from, const std::wstring& to);
    void copyOneFile(const std::wstring& from, const std::wstring& to, bool overwrite);

    Config config_;
};

}  // namespace korvane
