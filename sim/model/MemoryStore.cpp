#include "model/MemoryStore.h"

#include "automation/TextConvert.h"

namespace edgesim {

std::optional<std::wstring> MemoryStore::read(std::wstring_view path) {
    auto it = files_.find(korvane::toLower(path));
    if (it == files_.end()) return std::nullopt;
    return it->second.text;
}

bool MemoryStore::write(std::wstring_view path, std::wstring_view text) {
    auto [it, added] = files_.try_emplace(korvane::toLower(path), Entry{std::wstring(path), {}});
    it->second.text.assign(text);
    return true;
}

bool MemoryStore::contains(std::wstring_view path) const { return files_.count(korvane::toLower(path)) != 0; }

std::map<std::wstring, std::wstring> MemoryStore::files() const {
    std::map<std::wstring, std::wstring> out;
    for (const auto& [key, entry] : files_) out.emplace(entry.spelling, entry.text);
    return out;
}

}  // namespace edgesim
