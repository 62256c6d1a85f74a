#pragma once
// A file system that passes everything to a real one, except chosen moves and deletions, which
// raise a given runtime number instead of acting: as a file another program holds open, a disk
// that goes away, a rename the system refuses. Calls are counted per member from 1.
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "automation/AutomationError.h"
#include "files/FileSystem.h"

namespace korvane::test {

class FailingFileSystem : public FileSystem {
public:
    explicit FailingFileSystem(std::shared_ptr<FileSystem> real) : real_(std::move(real)) {}

    void failMove(int call, int32_t number) { moveFailures_[call] = number; }
    void failDelete(int call, int32_t number) { deleteFailures_[call] = number; }

    void moveFile(const std::wstring& f, const std::wstring& t) override {
        failIfChosen(moveFailures_, ++moves_);
        real_->moveFile(f, t);
    }
    void deleteFile(const std::wstring& p, bool force) override {
        failIfChosen(deleteFailures_, ++deletions_);
        real_->deleteFile(p, force);
    }

    bool fileExists(const std::wstring& p) override { return real_->fileExists(p); }
    bool folderExists(const std::wstring& p) override { return real_->folderExists(p); }
    std::wstring driveName(const std::wstring& p) override { return real_->driveName(p); }
    std::vector<DriveEntry> drives() override { return real_->drives(); }
    std::wstring shareName(const std::wstring& l) override { return real_->shareName(l); }
    std::wstring specialFolder(int32_t w) override { return real_->specialFolder(w); }
    int64_t fileSize(const std::wstring& p) override { return real_->fileSize(p); }
    AutomationDate dateLastModified(const std::wstring& p) override { return real_->dateLastModified(p); }
    void createFolder(const std::wstring& p) override { real_->createFolder(p); }
    void deleteFolder(const std::wstring& p, bool force) override { real_->deleteFolder(p, force); }
    void copyFile(const std::wstring& f, const std::wstring& t, bool o) override { real_->copyFile(f, t, o); }
    std::vector<std::wstring> fileNames(const std::wstring& f) override { return real_->fileNames(f); }
    std::vector<std::wstring> subfolderNames(const std::wstring& f) override { return real_->subfolderNames(f); }

private:
    static void failIfChosen(const std::map<int, int32_t>& failures, int call) {
        const auto it = failures.find(call);
        if (it != failures.end()) raiseRuntimeError(it->second);
    }

    std::shared_ptr<FileSystem> real_;
    std::map<int, int32_t> moveFailures_;
    std::map<int, int32_t> deleteFailures_;
    int moves_ = 0;
    int deletions_ = 0;
};

}  // namespace korvane::test
