#include "files/PathIdentity.h"

#include "automation/ErrorPolicy.h"
#include "files/PathText.h"

namespace korvane {

PathIdentity::PathIdentity(std::shared_ptr<FileSystem> fileSystem, const Collation& collation)
    : fileSystem_(std::move(fileSystem)), collation_(collation) {}

const std::wstring& PathIdentity::shareOf(wchar_t letter) {
    if (!drivesRead_) {
        drivesRead_ = true;
        // Neutral result: a drive whose share cannot be read keeps its letter, as convertNachUNC does.
        const auto drives = swallow(std::vector<DriveEntry>{}, [&] { return fileSystem_->drives(); });
        for (const DriveEntry& drive : drives) {
            if (drive.type != DriveType::Network || drive.letter.empty()) continue;
            wchar_t upper = drive.letter[0];
            if (upper >= L'a' && upper <= L'z') upper = static_cast<wchar_t>(upper - L'a' + L'A');
            std::wstring share = swallow(std::wstring(), [&] { return fileSystem_->shareName(drive.letter); });
            while (!share.empty() && share.back() == L'\\') share.pop_back();
            shares_[upper] = normalizedPath(share);
        }
    }
    static const std::wstring none;
    const auto found = shares_.find(letter);
    return found == shares_.end() ? none : found->second;
}

FileName PathIdentity::of(const std::wstring& spelling, const std::wstring& base) {
    std::wstring path = normalizedPath(spelling, base);
    if (path.size() >= 2 && path[1] == L':') {
        const std::wstring& share = shareOf(path[0]);
        if (!share.empty()) path = share + (path.size() > 3 ? path.substr(2) : std::wstring());
    }
    return FileName{path, keyOf(path)};
}

}  // namespace korvane
