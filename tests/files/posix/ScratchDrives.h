#pragma once
// A temporary folder tree with a drive table, for tests on POSIX hosts. At creation:
//   C:  fixed drive   -> <root>/drive-c      (temporary folder "C:\Temp", current folder "C:\")
//   Z:  network drive -> share "\\srv\share" -> <root>/unc/srv/share
// More shares and drives can be added at any time; fileSystem() builds a file system from the
// tables of that moment, so a clsFileString made afterwards sees the new mappings. The whole tree
// is removed when the object goes.
//
//     korvane::ScratchDrives scratch;
//     scratch.addShare(L"\\\\fileserver\\daten");
//     scratch.writeFile(L"\\\\fileserver\\daten\\Admin\\normal.dft", "x");
//     korvane::clsFileString files(scratch.fileSystem());
#include <memory>
#include <string>
#include <string_view>

#include "files/posix/PosixFileSystem.h"

namespace korvane {

class ScratchDrives {
public:
    ScratchDrives();
    ~ScratchDrives();
    ScratchDrives(const ScratchDrives&) = delete;
    ScratchDrives& operator=(const ScratchDrives&) = delete;

    const std::string& root() const noexcept { return root_; }
    PosixFileSystem::Config& config() noexcept { return config_; }
    std::shared_ptr<PosixFileSystem> fileSystem() const;

    // Adds the share "\\server\share" backed by a new folder under the root; returns that folder.
    std::string addShare(const std::wstring& name);
    // Maps a letter to a share (added first when it is new) as a network drive.
    void addNetworkDrive(wchar_t letter, const std::wstring& shareName);
    // Adds a drive of the given type backed by a new folder under the root; returns that folder.
    std::string addLocalDrive(wchar_t letter, DriveType type);

    // The host path of a Windows path; raises 76 when no drive or share matches.
    std::string hostPath(const std::wstring& windowsPath) const;
    // Writes a file at a Windows path, creating the folders on the way.
    void writeFile(const std::wstring& windowsPath, std::string_view content) const;

private:
    std::string root_;
    PosixFileSystem::Config config_;
};

}  // namespace korvane
