#pragma once
// The batch's backup folders. A drawing's backup mirrors its canonical path below the folder
// ("\\srv\daten\Archiv\a.dft" -> "<folder>\srv\daten\Archiv\a.dft", "C:\x\a.dft" -> "<folder>\C\x\a.dft"),
// so that two drawings never share one, however many folders and lists the run has. Every backup
// folder carries a marker file, and nothing inside a folder with that marker is ever taken as work.
#include <map>
#include <string>

#include "batch/BatchFiles.h"
#include "files/PathIdentity.h"
#include "files/clsFileString.h"

namespace korvane {

inline constexpr wchar_t kBackupMarker[] = L"korvane-stapel Sicherung.txt";

// Where the backup of a drawing (canonical path) goes.
std::wstring backupPathOf(const std::wstring& backupFolder, const std::wstring& drawing);

// The name the batch gives a default backup folder, "Sicherung 2026-12-06 14-03-22": such a folder
// made before folders were marked is a backup folder all the same.
bool isDefaultBackupFolderName(const std::wstring& name);

// Makes the folder (with its parents) and puts the marker into it, unless it is there.
void markBackupFolder(clsFileString& files, BatchFiles& contents, const std::wstring& folder);

// Answers, for folders and files, whether they lie in a backup folder of this program; each folder
// is asked once.
class BackupFolders {
public:
    BackupFolders(clsFileString& files, PathIdentity& identity) : files_(files), identity_(identity) {}

    // The folder itself is a backup folder (marker or default name).
    bool isBackupFolder(const std::wstring& folder);
    // The file or folder, or a folder above it, is a backup folder.
    bool liesInBackupFolder(const std::wstring& path);

private:
    clsFileString& files_;
    PathIdentity& identity_;
    std::map<std::wstring, bool> known_;
};

}  // namespace korvane
