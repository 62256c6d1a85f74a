#pragma once
// The file-system port on the Win32 API, without the scripting runtime (some sites disable it).
// Failures carry the runtime numbers the scripting runtime raises for the same Win32 errors, so
// the status results of clsFileString mean what they always meant. As with the scripting runtime,
// delete, copy and move take "*" and "?" in the last part of a name (the system's own matching,
// FindFirstFile), and move moves files only.
#include <string>
#include <vector>

#include "files/FileSystem.h"

namespace korvane {

class Win32FileSystem : public FileSystem {
public:
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
    std::vector<std::wstring> namesIn(const std::wstring& folder, bool folders);
};

}  // namespace korvane
