#pragma once
// A file system whose drive list is a fixed table, passing everything else to an inner file
// system (or failing with 438 without one). It lets the drive and UNC conversions be tested on
// any machine, whatever drives the host really has.
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "automation/AutomationError.h"
#include "automation/TextConvert.h"
#include "files/FileSystem.h"
#include "files/FileSystemSupport.h"

namespace korvane::test {

struct TableDrive {
    wchar_t letter;
    DriveType type;
    std::wstring share;  // network drives: empty makes reading the share name fail
};

class DriveTableFileSystem : public FileSystem {
public:
    explicit DriveTableFileSystem(std::vector<TableDrive> table, std::shared_ptr<FileSystem> inner = nullptr)
        : table_(std::move(table)), inner_(std::move(inner)) {}

    int shareReads = 0;

    std::vector<DriveEntry> drives() override {
        std::vector<DriveEntry> entries;
        for (const auto& d : table_) entries.push_back({std::wstring(1, d.letter), d.type});
        return entries;
    }
    std::wstring shareName(const std::wstring& letter) override {
        ++shareReads;
        for (const auto& d : table_) {
            if (!letter.empty() && toUpperChar(letter[0]) == toUpperChar(d.letter)) {
                if (d.type != DriveType::Network) return {};
                if (d.share.empty()) raiseRuntimeError(68);
                return d.share;
            }
        }
        raiseRuntimeError(68);
    }
    std::wstring driveName(const std::wstring& path) override { return driveNameOf(path); }

    bool fileExists(const std::wstring& p) override { return inner().fileExists(p); }
    bool folderExists(const std::wstring& p) override { return inner().folderExists(p); }
    std::wstring specialFolder(int32_t w) override { return inner().specialFolder(w); }
    int64_t fileSize(const std::wstring& p) override { return inner().fileSize(p); }
    AutomationDate dateLastModified(const std::wstring& p) override { return inner().dateLastModified(p); }
    void createFolder(const std::wstring& p) override { inner().createFolder(p); }
    void moveFile(const std::wstring& f, const std::wstring& t) override { inner().moveFile(f, t); }
    void deleteFile(const std::wstring& p, bool force) override { inner().deleteFile(p, force); }
    void deleteFolder(const std::wstring& p, bool force) override { inner().deleteFolder(p, force); }
    void copyFile(const std::wstring& f, const std::wstring& t, bool o) override { inner().copyFile(f, t, o); }
    std::vector<std::wstring> fileNames(const std::wstring& f) override { return inner().fileNames(f); }
    std::vector<std::wstring> subfolderNames(const std::wstring& f) override { return inner().subfolderNames(f); }

private:
    FileSystem& inner() {
        if (!inner_) raiseRuntimeError(rt::MemberNotSupported);
        return *inner_;
    }

    std::vector<TableDrive> table_;
    std::shared_ptr<FileSystem> inner_;
};

}  // namespace korvane::test
