#include "batch/RunRecord.h"

#include <set>

namespace korvane {

std::wstring otherWork(const RunRecord& before, const RunRecord& now, PathIdentity& identity) {
    const auto keys = [&](const std::vector<std::wstring>& paths) {
        std::set<std::wstring> out;
        for (const std::wstring& path : paths) out.insert(identity.of(path).key);
        return out;
    };
    const auto key = [&](const std::wstring& path) { return path.empty() ? path : identity.of(path).key; };
    if (keys(before.folders) != keys(now.folders)) return L"andere Ordner";
    if (before.subfolders != now.subfolders) return now.subfolders ? L"mit /s" : L"ohne /s";
    if (key(before.listFile) != key(now.listFile)) return L"eine andere Liste";
    if (key(before.templatePath) != key(now.templatePath)) return L"eine andere Vorlage";
    return L"";
}

}  // namespace korvane
