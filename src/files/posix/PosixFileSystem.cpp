#include "files/posix/PosixFileSystem.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <ctime>

#include "automation/AutomationError.h"
#include "automation/TextConvert.h"
#include "automation/UniqueResource.h"
#include "files/FileSystemSupport.h"
#include "files/WildcardPattern.h"

namespace korvane {

namespace {

bool isSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

std::string parentOf(const std::string& host) {
    std::string trimmed = host;
    while (trimmed.size() > 1 && trimmed.back() == '/') trimmed.pop_back();
    const size_t slash = trimmed.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : trimmed.substr(0, slash);
}

bool isDirectory(const std::string& host) {
    struct stat st {};
    return ::stat(host.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// Windows tells a missing last part (file not found) from a missing folder on the way (path
// not found); errno does not, so the parent decides.
int32_t runtimeNumberOf(int err, const std::string& host) {
    switch (err) {
    case ENOENT: return isDirectory(parentOf(host)) ? rt::FileNotFound : rt::PathNotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP: return rt::PathNotFound;
    case EACCES:
    case EPERM:
    case EROFS:
    case EBUSY:
    case ETXTBSY: return rt::PermissionDenied;
    case EEXIST: return rt::FileAlreadyExists;
    case ENOSPC:
    case EDQUOT: return rt::DiskFull;
    case EMFILE:
    case ENFILE: return rt::TooManyFiles;
    case EXDEV: return rt::RenameAcrossDrives;
    default: return rt::PathFileAccessError;
    }
}

[[noreturn]] void raiseErrno(int err, const std::string& host) { raiseRuntimeError(runtimeNumberOf(err, host)); }

struct stat statOrRaise(const std::string& host) {
    struct stat st {};
    if (::stat(host.c_str(), &st) != 0) raiseErrno(errno, host);
    return st;
}

bool isReadOnly(const struct stat& st) { return (st.st_mode & S_IWUSR) == 0; }

using Descriptor = UniqueResource<int, &::close, NegativeEmpty<int>>;
using DirectoryHandle = UniqueResource<DIR*, &::closedir>;

std::vector<std::string> entriesOf(const std::string& host) {
    const DirectoryHandle dir(::opendir(host.c_str()));
    if (!dir) raiseErrno(errno, host);
    std::vector<std::string> names;
    while (const dirent* entry = ::readdir(dir.get())) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..") names.push_back(name);
    }
    return names;
}

// Deletes a folder with everything in it. Without force a read-only entry stops the walk with
// 70, leaving what was not reached yet, as Windows does.
void removeTree(const std::string& host, bool force) {
    struct stat self = statOrRaise(host);
    if (isReadOnly(self)) {
        if (!force) raiseRuntimeError(rt::PermissionDenied);
        ::chmod(host.c_str(), self.st_mode | S_IWUSR);
    }
    for (const std::string& name : entriesOf(host)) {
        std::string child = host;
        child += '/';
        child += name;
        struct stat st {};
        if (::lstat(child.c_str(), &st) != 0) raiseErrno(errno, child);
        if (S_ISDIR(st.st_mode)) {
            removeTree(child, force);
            continue;
        }
        if (!S_ISLNK(st.st_mode) && isReadOnly(st) && !force) raiseRuntimeError(rt::PermissionDenied);
        if (::unlink(child.c_str()) != 0) raiseErrno(errno, child);
    }
    if (::rmdir(host.c_str()) != 0) raiseErrno(errno, host);
}

void copyContent(const std::string& from, const std::string& to, const struct stat& source) {
    const Descriptor in(::open(from.c_str(), O_RDONLY | O_CLOEXEC));
    if (!in) raiseErrno(errno, from);
    Descriptor out(::open(to.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, S_IRUSR | S_IWUSR));
    if (!out) raiseErrno(errno, to);
    char buffer[65536];
    while (true) {
        const ssize_t got = ::read(in.get(), buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR) continue;
            raiseErrno(errno, from);
        }
        if (got == 0) break;
        ssize_t done = 0;
        while (done < got) {
            const ssize_t put = ::write(out.get(), buffer + done, static_cast<size_t>(got - done));
            if (put < 0) {
                if (errno == EINTR) continue;
                raiseErrno(errno, to);
            }
            done += put;
        }
    }
    // A copy keeps the attributes and the time of last change of its source, as CopyFile does.
    const timespec times[2] = {source.st_atim, source.st_mtim};
    ::futimens(out.get(), times);
    ::fchmod(out.get(), source.st_mode & 07777);
    // Closed here rather than by the owner: a write may fail only at close.
    if (::close(out.release()) != 0) raiseErrno(errno, to);
}

std::vector<std::wstring> sortedLikeNtfs(const std::vector<std::string>& hostNames) {
    std::vector<std::wstring> names;
    names.reserve(hostNames.size());
    for (const auto& n : hostNames) names.push_back(fromUtf8(n));
    std::sort(names.begin(), names.end(), [](const std::wstring& a, const std::wstring& b) {
        const std::wstring la = toUpper(a);
        const std::wstring lb = toUpper(b);
        return la != lb ? la < lb : a < b;
    });
    return names;
}

// FindFirstFile's matching, as far as names on this host need it: "*" any run, "?" one character,
// letters without regard to case, and a closing ".*" that also takes names without an extension
// ("*.*" is every name). "[" and "#" are ordinary characters here.
bool matchesFindPattern(const std::wstring& name, const std::wstring& pattern) {
    std::wstring like;
    for (const wchar_t c : pattern) {
        if (c == L'[' || c == L'#') {
            like += L'[';
            like += c;
            like += L']';
        } else {
            like += toUpperChar(c);
        }
    }
    if (matchesPattern(toUpper(name), like, LetterCase::Respect)) return true;
    return like.size() >= 2 && like.compare(like.size() - 2, 2, L".*") == 0 &&
           matchesPattern(toUpper(name), like.substr(0, like.size() - 2), LetterCase::Respect);
}

}  // namespace

PosixFileSystem::PosixFileSystem(Config config) : config_(std::move(config)) {
    std::sort(config_.drives.begin(), config_.drives.end(),
              [](const Drive& a, const Drive& b) { return toUpperChar(a.letter) < toUpperChar(b.letter); });
}

const PosixFileSystem::Drive* PosixFileSystem::findDrive(wchar_t letter) const {
    for (const auto& d : config_.drives)
        if (toUpperChar(d.letter) == toUpperChar(letter)) return &d;
    return nullptr;
}

const PosixFileSystem::Share* PosixFileSystem::findShare(std::wstring_view name) const {
    for (const auto& s : config_.shares)
        if (equalsIgnoringCase(s.name, name)) return &s;
    return nullptr;
}

std::optional<std::string> PosixFileSystem::hostPath(const std::wstring& path) const { return resolve(path, 0); }

std::optional<std::string> PosixFileSystem::resolve(const std::wstring& path, int depth) const {
    if (path.empty()) return std::nullopt;
    std::string base;
    std::wstring_view rest;
    const std::wstring_view whole(path);
    if (whole.size() >= 2 && isSeparator(whole[0]) && isSeparator(whole[1])) {
        const std::wstring drive = driveNameOf(path);
        if (drive.empty()) return std::nullopt;
        const Share* share = findShare(drive);
        if (!share) return std::nullopt;
        base = share->hostFolder;
        rest = whole.substr(drive.size());
    } else if (whole.size() >= 2 && whole[1] == L':') {
        const Drive* drive = findDrive(whole[0]);
        if (!drive) return std::nullopt;
        base = drive->hostFolder;
        rest = whole.substr(2);
    } else if (depth == 0 && !config_.currentFolder.empty()) {
        if (isSeparator(whole[0])) return resolve(driveNameOf(config_.currentFolder) + path, 1);
        return resolve(config_.currentFolder + L"\\" + path, 1);
    } else {
        return std::nullopt;
    }

    std::vector<std::wstring> parts;
    size_t start = 0;
    while (start <= rest.size()) {
        size_t end = start;
        while (end < rest.size() && !isSeparator(rest[end])) ++end;
        const std::wstring_view part = rest.substr(start, end - start);
        if (part == L"..") {
            if (!parts.empty()) parts.pop_back();
        } else if (!part.empty() && part != L".") {
            parts.emplace_back(part);
        }
        start = end + 1;
    }
    std::string host = base;
    for (const auto& part : parts) host += "/" + toUtf8(part);
    // A closing separator after a file name must still fail as it does on Windows.
    if (!parts.empty() && !rest.empty() && isSeparator(rest.back())) host += "/";
    return host;
}

std::string PosixFileSystem::requireHostPath(const std::wstring& path) const {
    auto host = resolve(path, 0);
    if (!host) raiseRuntimeError(rt::PathNotFound);
    return *host;
}

bool PosixFileSystem::fileExists(const std::wstring& path) {
    const auto host = resolve(path, 0);
    struct stat st {};
    return host && ::stat(host->c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool PosixFileSystem::folderExists(const std::wstring& path) {
    const auto host = resolve(path, 0);
    return host && isDirectory(*host);
}

std::wstring PosixFileSystem::driveName(const std::wstring& path) { return driveNameOf(path); }

std::vector<DriveEntry> PosixFileSystem::drives() {
    std::vector<DriveEntry> entries;
    for (const auto& d : config_.drives) entries.push_back({std::wstring(1, toUpperChar(d.letter)), d.type});
    return entries;
}

std::wstring PosixFileSystem::shareName(const std::wstring& letter) {
    const Drive* drive = letter.empty() ? nullptr : findDrive(letter[0]);
    if (!drive) raiseRuntimeError(rt::DeviceUnavailable);
    if (drive->type != DriveType::Network) return {};
    if (drive->shareName.empty()) raiseRuntimeError(rt::DeviceUnavailable);
    return drive->shareName;
}

std::wstring PosixFileSystem::specialFolder(int32_t which) {
    // This host has no Windows or system folder; only the temporary folder is configured.
    if (which != 2 || config_.tempFolder.empty()) raiseRuntimeError(rt::InvalidArgument);
    return config_.tempFolder;
}

int64_t PosixFileSystem::fileSize(const std::wstring& path) {
    const struct stat st = statOrRaise(requireHostPath(path));
    if (S_ISDIR(st.st_mode)) raiseRuntimeError(rt::FileNotFound);
    return static_cast<int64_t>(st.st_size);
}

AutomationDate PosixFileSystem::dateLastModified(const std::wstring& path) {
    const struct stat st = statOrRaise(requireHostPath(path));
    if (S_ISDIR(st.st_mode)) raiseRuntimeError(rt::FileNotFound);
    std::tm local{};
    const time_t seconds = st.st_mtim.tv_sec;
    if (!::localtime_r(&seconds, &local)) raiseRuntimeError(rt::PathFileAccessError);
    return automationDateOf(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
                            local.tm_sec);
}

void PosixFileSystem::createFolder(const std::wstring& path) {
    const std::string host = requireHostPath(path);
    if (::mkdir(host.c_str(), 0777) != 0) raiseErrno(errno, host);
}

std::vector<std::wstring> PosixFileSystem::matchesOf(const std::wstring& wildcardName, bool folders) {
    const size_t separator = wildcardName.find_last_of(L"\\/");
    const std::wstring prefix = separator == std::wstring::npos ? std::wstring() : wildcardName.substr(0, separator + 1);
    const std::wstring folder = separator == std::wstring::npos ? L"." : separator == 0 ? L"\\" : wildcardName.substr(0, separator);
    const std::wstring pattern = separator == std::wstring::npos ? wildcardName : wildcardName.substr(separator + 1);
    std::vector<std::wstring> matches;
    for (const std::wstring& name : namesIn(folder, folders))
        if (matchesFindPattern(name, pattern)) matches.push_back(prefix + name);
    return matches;
}

std::vector<std::wstring> PosixFileSystem::sourcesOf(const std::wstring& from) {
    if (!hasWildcards(from)) return {from};
    std::vector<std::wstring> sources = matchesOf(from, false);
    if (sources.empty()) raiseRuntimeError(rt::FileNotFound);
    return sources;
}

void PosixFileSystem::moveFile(const std::wstring& from, const std::wstring& to) {
    if (!hasWildcards(from) && !endsWithSeparator(to)) return moveOneFile(from, to);
    for (const std::wstring& source : sourcesOf(from)) moveOneFile(source, intoFolder(to, source));
}

void PosixFileSystem::moveOneFile(const std::wstring& from, const std::wstring& to) {
    const std::string source = requireHostPath(from);
    const std::string target = requireHostPath(to);
    struct stat st {};
    if (::lstat(source.c_str(), &st) != 0) raiseErrno(errno, source);
    // The scripting runtime moves files only; a folder given as the source is no file it finds.
    if (S_ISDIR(st.st_mode)) raiseRuntimeError(rt::FileNotFound);
    // rename() would replace an existing target; MoveFile never does.
    if (::lstat(target.c_str(), &st) == 0) raiseRuntimeError(rt::FileAlreadyExists);
    if (errno != ENOENT || !isDirectory(parentOf(target))) raiseRuntimeError(rt::PathNotFound);
    if (::rename(source.c_str(), target.c_str()) != 0) raiseErrno(errno, target);
}

void PosixFileSystem::deleteFile(const std::wstring& path, bool force) {
    if (hasWildcards(path)) {
        const std::vector<std::wstring> matches = matchesOf(path, false);
        if (matches.empty()) raiseRuntimeError(rt::FileNotFound);
        for (const std::wstring& match : matches) deleteFile(match, force);
        return;
    }
    const std::string host = requireHostPath(path);
    const struct stat st = statOrRaise(host);
    if (S_ISDIR(st.st_mode)) raiseRuntimeError(rt::FileNotFound);
    if (isReadOnly(st) && !force) raiseRuntimeError(rt::PermissionDenied);
    if (::unlink(host.c_str()) != 0) raiseErrno(errno, host);
}

void PosixFileSystem::deleteFolder(const std::wstring& path, bool force) {
    if (hasWildcards(path)) {
        const std::vector<std::wstring> matches = matchesOf(path, true);
        if (matches.empty()) raiseRuntimeError(rt::PathNotFound);
        for (const std::wstring& match : matches) deleteFolder(match, force);
        return;
    }
    const auto host = resolve(path, 0);
    // A missing folder, or a file given as one, is a missing path to the scripting runtime.
    if (!host || !isDirectory(*host)) raiseRuntimeError(rt::PathNotFound);
    removeTree(*host, force);
}

void PosixFileSystem::copyFile(const std::wstring& from, const std::wstring& to, bool overwrite) {
    if (!hasWildcards(from) && !endsWithSeparator(to)) return copyOneFile(from, to, overwrite);
    for (const std::wstring& source : sourcesOf(from)) copyOneFile(source, intoFolder(to, source), overwrite);
}

void PosixFileSystem::copyOneFile(const std::wstring& from, const std::wstring& to, bool overwrite) {
    const std::string source = requireHostPath(from);
    const std::string target = requireHostPath(to);
    const struct stat src = statOrRaise(source);
    if (S_ISDIR(src.st_mode)) raiseRuntimeError(rt::FileNotFound);
    struct stat dst {};
    if (::stat(target.c_str(), &dst) == 0) {
        if (S_ISDIR(dst.st_mode) || isReadOnly(dst)) raiseRuntimeError(rt::PermissionDenied);
        if (!overwrite) raiseRuntimeError(rt::FileAlreadyExists);
        // Copying a file onto itself is a sharing violation on Windows.
        if (dst.st_dev == src.st_dev && dst.st_ino == src.st_ino) raiseRuntimeError(rt::PermissionDenied);
    } else if (errno != ENOENT) {
        raiseErrno(errno, target);
    }
    copyContent(source, target, src);
}

std::vector<std::wstring> PosixFileSystem::namesIn(const std::wstring& folder, bool folders) {
    const auto host = resolve(folder, 0);
    if (!host || !isDirectory(*host)) raiseRuntimeError(rt::PathNotFound);
    std::vector<std::string> picked;
    for (const std::string& name : entriesOf(*host)) {
        if (isDirectory(*host + "/" + name) == folders) picked.push_back(name);
    }
    return sortedLikeNtfs(picked);
}

std::vector<std::wstring> PosixFileSystem::fileNames(const std::wstring& folder) { return namesIn(folder, false); }

std::vector<std::wstring> PosixFileSystem::subfolderNames(const std::wstring& folder) {
    return namesIn(folder, true);
}

// A POSIX host has no Windows drives or shares to assume: code here is always given its file system.
std::shared_ptr<FileSystem> defaultFileSystem() { return nullptr; }

}  // namespace korvane

namespace korvane {

std::optional<std::wstring> PosixFileSystem::fileIdentity(const std::wstring& path) {
    const auto host = hostPath(path);
    struct stat st {};
    if (!host || ::stat(host->c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
    return std::to_wstring(st.st_dev) + L":" + std::to_wstring(st.st_ino) + L":" + std::to_wstring(st.st_size) + L":" +
           std::to_wstring(st.st_mtim.tv_sec) + L"." + std::to_wstring(st.st_mtim.tv_nsec);
}

}  // namespace korvane
