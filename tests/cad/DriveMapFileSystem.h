#pragma once
// A file system that knows only its drive letters and their shares: enough for the UNC
// conversion the document searches rely on, with mappings chosen by each test.
// Everything that would touch files raises 76, so an unexpected file access shows as a failure.
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "automation/AutomationError.h"
#include "files/FileSystem.h"

namespace korvane::testing {

class DriveMapFileSystem : public FileSystem {
public:
    // letter -> share ("\\srv\share"); an empty share makes a fixed local drive.
    explicit DriveMapFileSystem(std::vector<std::pair<std::wstring, std::wstring>> drives)
        : drives_(std::move(drives)) {}

    std::vector<DriveEntry> drives() override {
        std::vector<DriveEntry> out;
        for (const auto& [letter, share] : drives_)
            out.push_back({letter, share.empty() ? DriveType::Fixed : DriveType::Network});
        return out;
    }
    std::wstring shareName(const std::wstring& letter) override {
        for (const auto& [l, share] : drives_)
            if (l == letter && !share.empty()) return share;
        raiseRuntimeError(rt::PathNotFound);
    }

    bool fileExists(const std::wstring&) override { raiseRuntimeError(rt::PathNotFound); }
    bool folderExists(const std::wstring&) override { raiseRuntimeError(rt::PathNotFound); }
    std::wstring driveName(const std::wstring&) override { raiseRuntimeError(rt::PathNotFound); }
    std::wstring specialFolder(int32_t) override { raiseRuntimeError(rt::PathNotFound); }
    int64_t fileSize(const std::wstring&) override { raiseRuntimeError(rt::PathNotFound); }
    AutomationDate dateLastModified(const std::wstring&) override { raiseRuntimeError(rt::PathNotFound); }
    void createFolder(const std::wstring&) override { raiseRuntimeError(rt::PathNotFound); }
    void moveFile(const std::wstring&, const std::wstring&) override { raiseRuntimeError(rt::PathNotFound); }
    void deleteFile(const std::wstring&, bool) override { raiseRuntimeError(rt::PathNotFound); }
    void deleteFolder(const std::wstring&, bool) override { raiseRuntimeError(rt::PathNotFound); }
    void copyFile(const std::wstring&, const std::wstring&, bool) override { raiseRuntimeError(rt::PathNotFound); }
    std::vector<std::wstring> fileNames(const std::wstring&) override { raiseRuntimeError(rt::PathNotFound); }
    std::vector<std::wstring> subfolderNames(const std::wstring&) override { raiseRuntimeError(rt::PathNotFound); }

private:
    std::vector<std::pair<std::wstring, std::wstring>> drives_;
};

}  // namespace korvane::testing
