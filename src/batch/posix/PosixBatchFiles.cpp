#include "batch/posix/PosixBatchFiles.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <iterator>

#include "automation/AutomationError.h"
#include "automation/UniqueResource.h"

namespace korvane {

namespace {

using Descriptor = UniqueResource<int, &::close, NegativeEmpty<int>>;

// An exclusive advisory lock on a file made for it; the file goes before the lock does, so that
// whoever comes next makes a new file and a new lock.
class PosixHeldFile : public HeldFile {
public:
    PosixHeldFile(Descriptor file, std::string hostPath) : file_(std::move(file)), hostPath_(std::move(hostPath)) {}
    ~PosixHeldFile() override { ::unlink(hostPath_.c_str()); }
    PosixHeldFile(const PosixHeldFile&) = delete;
    PosixHeldFile& operator=(const PosixHeldFile&) = delete;

private:
    Descriptor file_;
    std::string hostPath_;
};

}  // namespace

PosixBatchFiles::PosixBatchFiles(std::shared_ptr<PosixFileSystem> fileSystem) : fs_(std::move(fileSystem)) {}

bool PosixBatchFiles::isReadOnly(const std::wstring& path) {
    const auto host = fs_->hostPath(path);
    struct stat st {};
    return host && ::stat(host->c_str(), &st) == 0 && (st.st_mode & S_IWUSR) == 0;
}

bool PosixBatchFiles::isLocked(const std::wstring& path) {
    const auto host = fs_->hostPath(path);
    if (!host) return false;
    const Descriptor file(::open(host->c_str(), O_RDONLY | O_CLOEXEC));
    if (!file) return false;
    const bool locked = ::flock(file.get(), LOCK_EX | LOCK_NB) != 0;
    if (!locked) ::flock(file.get(), LOCK_UN);
    return locked;
}

std::optional<std::string> PosixBatchFiles::readBytes(const std::wstring& path) {
    const auto host = fs_->hostPath(path);
    if (!host) return std::nullopt;
    std::ifstream in(*host, std::ios::binary);
    if (!in) return std::nullopt;
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return std::nullopt;
    return bytes;
}

void PosixBatchFiles::put(const std::wstring& path, std::string_view bytes, bool append) {
    const auto host = fs_->hostPath(path);
    if (!host) raiseRuntimeError(rt::PathNotFound);
    std::ofstream out(*host, std::ios::binary | (append ? std::ios::app : std::ios::trunc));
    if (!out) raiseRuntimeError(rt::PermissionDenied);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (out.fail()) raiseRuntimeError(rt::DiskFull);
}

void PosixBatchFiles::writeBytes(const std::wstring& path, std::string_view bytes) { put(path, bytes, false); }

void PosixBatchFiles::createBytes(const std::wstring& path, std::string_view bytes) {
    const auto host = fs_->hostPath(path);
    if (!host) raiseRuntimeError(rt::PathNotFound);
    {
        const Descriptor created(::open(host->c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644));
        if (!created) raiseRuntimeError(errno == EEXIST ? rt::FileAlreadyExists : rt::PermissionDenied);
    }
    put(path, bytes, false);
}

void PosixBatchFiles::replaceBytes(const std::wstring& path, std::string_view bytes) {
    const auto host = fs_->hostPath(path);
    if (!host) raiseRuntimeError(rt::PathNotFound);
    const std::wstring temporary = path + L".korvane-tmp";
    put(temporary, bytes, false);
    const auto hostTemporary = fs_->hostPath(temporary);
    if (!hostTemporary || std::rename(hostTemporary->c_str(), host->c_str()) != 0) raiseRuntimeError(rt::PermissionDenied);
}
void PosixBatchFiles::appendBytes(const std::wstring& path, std::string_view bytes) { put(path, bytes, true); }

}  // namespace korvane

namespace korvane {

std::unique_ptr<HeldFile> PosixBatchFiles::hold(const std::wstring& path) {
    const auto host = fs_->hostPath(path);
    if (!host) raiseRuntimeError(rt::PathNotFound);
    // Only a file made here is ever removed: an existing one is another run's lock or somebody's file.
    for (int attempt = 0; attempt < 3; ++attempt) {
        Descriptor made(::open(host->c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0644));
        if (made) {
            if (::flock(made.get(), LOCK_EX | LOCK_NB) != 0) raiseRuntimeError(rt::PermissionDenied);
            return std::make_unique<PosixHeldFile>(std::move(made), *host);
        }
        if (errno != EEXIST) raiseRuntimeError(errno == ENOENT ? rt::PathNotFound : rt::PermissionDenied);
        const Descriptor existing(::open(host->c_str(), O_RDONLY | O_CLOEXEC));
        if (!existing) continue;  // its holder ended meanwhile
        if (::flock(existing.get(), LOCK_EX | LOCK_NB) != 0) return nullptr;
        ::flock(existing.get(), LOCK_UN);
        raiseRuntimeError(rt::FileAlreadyExists);  // there, and nobody holds it
    }
    return nullptr;
}

}  // namespace korvane
