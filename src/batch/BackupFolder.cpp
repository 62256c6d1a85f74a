#include "batch/BackupFolder.h"

#include "automation/AutomationError.h"
#include "automation/TextConvert.h"
#include "files/PathText.h"

namespace korvane {

std::wstring backupPathOf(const std::wstring& backupFolder, const std::wstring& drawing) {
    return joinPath(backupFolder, pathBelowRoot(drawing));
}

bool isDefaultBackupFolderName(const std::wstring& name) {
    // "Sicherung " then "dddd-dd-dd dd-dd-dd".
    static const std::wstring shape = L"Sicherung 0000-00-00 00-00-00";
    if (name.size() != shape.size() || !equalsIgnoringCase(std::wstring_view(name).substr(0, 10), L"Sicherung ")) return false;
    for (size_t i = 10; i < shape.size(); ++i) {
        const bool digit = name[i] >= L'0' && name[i] <= L'9';
        if (shape[i] == L'0' ? !digit : name[i] != shape[i]) return false;
    }
    return true;
}

void markBackupFolder(clsFileString& files, BatchFiles& contents, const std::wstring& folder) {
    if (!files.existiertVerzeichnis(folder)) files.erstelleVerzeichnis(folder);
    const std::wstring marker = joinPath(folder, kBackupMarker);
    if (files.existiertDatei(marker)) return;
    try {
        contents.createBytes(marker, toUtf8(L"\xFEFF"
                                            L"Sicherungsordner von korvane-stapel: die Zeichnungen hierin sind Sicherungen "
                                            L"der Originale vor dem Tausch der Hintergrundblätter.\r\n"
                                            L"korvane-stapel nimmt nichts aus diesem Ordner als Arbeit. Diese Datei nicht löschen.\r\n"));
    } catch (const AutomationError& e) {
        // Parts started together on several workstations share the folder: whoever marks it first, it is marked.
        if (e.number() != rt::FileAlreadyExists || !files.existiertDatei(marker)) throw;
    }
}

bool BackupFolders::isBackupFolder(const std::wstring& folder) {
    const std::wstring key = identity_.keyOf(folder);
    if (const auto found = known_.find(key); found != known_.end()) return found->second;
    const bool backup = isDefaultBackupFolderName(files_.ermittleDateiName(folder)) ||
                        files_.existiertDatei(joinPath(folder, kBackupMarker));
    known_.emplace(key, backup);
    return backup;
}

bool BackupFolders::liesInBackupFolder(const std::wstring& path) {
    const std::wstring root = rootOf(path);
    std::wstring folder = path;
    while (folder.size() > root.size() + 1) {
        if (isBackupFolder(folder)) return true;
        const size_t separator = folder.find_last_of(L'\\');
        if (separator == std::wstring::npos || separator < root.size()) break;
        folder.erase(separator);
    }
    return false;
}

}  // namespace korvane
