#pragma once
// The batch's file facts and contents on a POSIX host, through the Windows path tables of a
// PosixFileSystem. Read-only is the owner's write bit; "locked" is an exclusive advisory lock
// (flock) that another process holds, the nearest a POSIX host has to a file opened without sharing.
#include <memory>

#include "batch/BatchFiles.h"
#include "files/posix/PosixFileSystem.h"

namespace korvane {

class PosixBatchFiles : public BatchFiles {
public:
    explicit PosixBatchFiles(std::shared_ptr<PosixFileSystem> fileSystem);

    bool isReadOnly(const std::wstring& path) override;
    bool isLocked(const std::wstring& path) override;
    std::optional<std::string> readBytes(const std::wstring& path) override;
    void writeBytes(const std::wstring& path, std::string_view bytes) override;
    void appendBytes(const std::wstring& path, std::string_view bytes) override;
    void createBytes(const std::wstring& path, std::string_view bytes) override;
    void replaceBytes(const std::wstring& path, std::string_view bytes) override;
    std::unique_ptr<HeldFile> hold(const std::wstring& path) override;

private:
    void put(const std::wstring& path, std::string_view bytes, bool append);
    std::shared_ptr<PosixFileSystem> fs_;
};

}  // namespace korvane
