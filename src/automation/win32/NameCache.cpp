#include "automation/win32/NameCache.h"

namespace korvane::com {

NameCache& NameCache::forRun() {
    static NameCache cache;
    return cache;
}

std::optional<DispId> NameCache::find(const GUID& type, std::wstring_view name) const {
    auto found = ids_.find(std::pair<GUID, std::wstring_view>(type, name));
    if (found == ids_.end()) return std::nullopt;
    return found->second;
}

void NameCache::remember(const GUID& type, std::wstring_view name, DispId id) {
    ids_.insert_or_assign(Key(type, std::wstring(name)), id);
}

}  // namespace korvane::com
