#include "model/MemoryStore.h"

#include "automation/TextConvert.h"

namespace edgesim {

std::optional<std::wstring> MemoryStore::read(std::wstring_view path) {
    auto it = files_.find(korvane::toLower(path));
    if (it == files_.end()) return std::nullopt;
    return it->second;
}

bool MemoryStore::write(std::wstring_view path, std::wstring_view text) {
    files_[korvane::toLower(path)].assign(text);
    return true;
}

bool MemoryStore::contains(std::wstring_view path) const { return files_.count(korvane::toLower(path)) != 0; }

}  // namespace edgesim
