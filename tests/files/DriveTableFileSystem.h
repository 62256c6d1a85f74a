#pragma once
// The one configurable file system of the tests: its drive list is a fixed table (so the drive and
// UNC conversions can be tested whatever drives the host has); everything else goes to an inner
// file system (438 without one), except what is configured otherwise:
//   - listing(files, folders): every folder lists these names, in this order;
//   - fail(Step::Move, 2, 70): the second move raises 70 instead of acting (a file another program
//     holds open, a disk that goes away, a rename the system refuses). Calls count per step from 1.
#include <map>
#include <memory>
#include <optional>
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
    enum class Step { Move, Delete };

    explicit DriveTableFileSystem(std::vector<TableDrive> table, std::shared_ptr<FileSystem> inner = nullptr)
        : table_(std::move(table)), inner_(std::move(inner)) {}

    int shareReads = 0;

    void fail(Step step, int call, int32_t number) { failures_[{step, call}] = number; }
    void listing(std::vector<std::wstring> files, std::vector<std::wstring> folders) {
        files_ = std::move(files);
        folders_ = std::move(folders);
    }

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

    void moveFile(const std::wstring& f, const std::wstring& t) override {
        step(Step::Move);
        inner().moveFile(f, t);
    }
    void deleteFile(const std::wstring& p, bool force) override {
        step(Step::Delete);
        inner().deleteFile(p, force);
    }
    std::vector<std::wstring> fileNames(const std::wstring& f) override { return files_ ? *files_ : inner().fileNames(f); }
    std::vector<std::wstring> subfolderNames(const std::wstring& f) override {
        return folders_ ? *folders_ : inner().subfolderNames(f);
    }

    bool fileExists(const std::wstring& p) override { return inner().fileExists(p); }
    bool folderExists(const std::wstring& p) override { return inner().folderExists(p); }
    std::wstring specialFolder(int32_t w) override { return inner().specialFolder(w); }
    int64_t fileSize(const std::wstring& p) override { return inner().fileSize(p); }
    AutomationDate dateLastModified(const std::wstring& p) override { return inner().dateLastModified(p); }
    void createFolder(const std::wstring& p) override { inner().createFolder(p); }
    void deleteFolder(const std::wstring& p, bool force) override { inner().deleteFolder(p, force); }
    void copyFile(const std::wstring& f, const std::wstring& t, bool o) override { inner().copyFile(f, t, o); }

private:
    FileSystem& inner() {
        if (!inner_) raiseRuntimeError(rt::MemberNotSupported);
        return *inner_;
    }
    void step(Step s) {
        const auto it = failures_.find({s, ++calls_[s]});
        if (it != failures_.end()) raiseRuntimeError(it->second);
    }

    std::vector<TableDrive> table_;
    std::shared_ptr<FileSystem> inner_;
    std::map<std::pair<Step, int>, int32_t> failures_;
    std::map<Step, int> calls_;
    std::optional<std::vector<std::wstring>> files_;
    std::optional<std::vector<std::wstring>> folders_;
};

}  // namespace korvane::test
