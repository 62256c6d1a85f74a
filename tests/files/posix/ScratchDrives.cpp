#include "files/posix/ScratchDrives.h"

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "automation/AutomationError.h"
#include "automation/TextConvert.h"
#include "files/FileSystemSupport.h"

namespace korvane {

namespace fs = std::filesystem;

namespace {

// Read-only folders would stop remove_all for a user without root rights.
void makeWritable(const fs::path& root) {
    std::error_code ec;
    fs::permissions(root, fs::perms::owner_all, fs::perm_options::add, ec);
    for (auto it = fs::recursive_directory_iterator(root, ec); !ec && it != fs::recursive_directory_iterator();
         it.increment(ec)) {
        if (!it->is_symlink()) fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
    }
}

}  // namespace

ScratchDrives::ScratchDrives() {
    const char* tmp = ::getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/korvane-XXXXXX";
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (!::mkdtemp(buffer.data())) raiseRuntimeError(rt::PathFileAccessError);
    root_ = buffer.data();

    addLocalDrive(L'C', DriveType::Fixed);
    addNetworkDrive(L'Z', L"\\\\srv\\share");
    config_.tempFolder = L"C:\\Temp";
    config_.currentFolder = L"C:\\";
    fs::create_directories(hostPath(config_.tempFolder));
}

ScratchDrives::~ScratchDrives() {
    std::error_code ec;
    makeWritable(root_);
    fs::remove_all(root_, ec);
}

std::shared_ptr<PosixFileSystem> ScratchDrives::fileSystem() const { return std::make_shared<PosixFileSystem>(config_); }

std::string ScratchDrives::addShare(const std::wstring& name) {
    const std::wstring drive = driveNameOf(name);
    if (drive.empty() || drive.size() != name.size()) raiseRuntimeError(rt::InvalidArgument);
    std::wstring relative = drive.substr(2);
    for (auto& c : relative)
        if (c == L'\\') c = L'/';
    std::string folder = root_ + "/unc/" + toUtf8(toLower(relative));
    fs::create_directories(folder);
    config_.shares.push_back({name, folder});
    return folder;
}

void ScratchDrives::addNetworkDrive(wchar_t letter, const std::wstring& shareName) {
    std::string folder;
    for (const auto& share : config_.shares)
        if (equalsIgnoringCase(share.name, shareName)) folder = share.hostFolder;
    if (folder.empty()) folder = addShare(shareName);
    config_.drives.push_back({letter, DriveType::Network, folder, shareName});
}

std::string ScratchDrives::addLocalDrive(wchar_t letter, DriveType type) {
    std::string folder = root_ + "/drive-" + toUtf8(std::wstring(1, toLowerChar(letter)));
    fs::create_directories(folder);
    config_.drives.push_back({letter, type, folder, {}});
    return folder;
}

std::string ScratchDrives::hostPath(const std::wstring& windowsPath) const {
    const auto host = PosixFileSystem(config_).hostPath(windowsPath);
    if (!host) raiseRuntimeError(rt::PathNotFound);
    return *host;
}

void ScratchDrives::writeFile(const std::wstring& windowsPath, std::string_view content) const {
    const fs::path host = hostPath(windowsPath);
    fs::create_directories(host.parent_path());
    std::ofstream out(host, std::ios::binary | std::ios::trunc);
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
    if (!out.flush()) raiseRuntimeError(rt::PathFileAccessError);
}

}  // namespace korvane
