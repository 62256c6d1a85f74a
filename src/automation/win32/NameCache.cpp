#include "automation/win32/NameCache.h"

#include "automation/win32/ComErrors.h"

namespace korvane::com {

std::optional<DispId> NameCache::find(const GUID& type, std::wstring_view name) const {
    claimForCallingThread();
    auto found = ids_.find(std::pair<GUID, std::wstring_view>(type, name));
    if (found == ids_.end()) return std::nullopt;
    return found->second;
}

void NameCache::remember(const GUID& type, std::wstring_view name, DispId id) {
    claimForCallingThread();
    ids_.insert_or_assign(Key(type, std::wstring(name)), id);
}

void NameCache::claimForCallingThread() const {
    const std::thread::id self = std::this_thread::get_id();
    std::thread::id owner{};
    // The first call takes the cache; for every later one the exchange fails and reports the owner.
    if (owner_.compare_exchange_strong(owner, self) || owner == self) return;
    raiseHResult(RPC_E_WRONG_THREAD);
}

}  // namespace korvane::com
