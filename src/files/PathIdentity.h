#pragma once
// One name for a file, whatever spelling reaches it: the normalized path with a network drive
// replaced by its share ("Y:\Archiv\a.dft" and "\\fileserver\daten\archiv\A.DFT." are one), its key
// (case folded in the user's collation, as clsFileString compares names) and, where the file exists,
// the file system's own identity of it, which also joins hard links, short names and other shares of
// the same folder.
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "files/Collation.h"
#include "files/FileSystem.h"

namespace korvane {

struct FileName {
    std::wstring path;  // canonical full path, letter case of the spelling; "" when it names no path
    std::wstring key;   // path case folded: equal keys, same file
};

class PathIdentity {
public:
    explicit PathIdentity(std::shared_ptr<FileSystem> fileSystem, const Collation& collation = Collation::user());

    // The canonical name of a spelling, relative spellings taken from `base` (a folder).
    FileName of(const std::wstring& spelling, const std::wstring& base = L"");
    // The key of a canonical path.
    std::wstring keyOf(const std::wstring& canonicalPath) const { return collation_.lowerCased(canonicalPath); }
    // The file system's identity of an existing file (FileSystem::fileIdentity).
    std::optional<std::wstring> fileIdentity(const std::wstring& path) { return fileSystem_->fileIdentity(path); }

private:
    // "\\server\share" of a network drive letter, "" for any other drive; read once per run.
    const std::wstring& shareOf(wchar_t letter);

    std::shared_ptr<FileSystem> fileSystem_;
    Collation collation_;
    std::map<wchar_t, std::wstring> shares_;
    bool drivesRead_ = false;
};

}  // namespace korvane
