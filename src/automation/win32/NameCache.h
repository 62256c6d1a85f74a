#pragma once
// Member ids learned from GetIDsOfNames, shared by the objects of one binding (what one ComBinder hands
// out and every object reached from those): a member name is looked up at most once per type, however
// many objects of the type are used.
//
// A binding's objects are proxies of the apartment of the thread that calls them, and their cache
// belongs to that thread too: the first thread that looks up a name owns it, and any other thread is
// refused with RPC_E_WRONG_THREAD, the answer COM gives when an apartment's proxy is called from
// another thread. Another thread binds for itself and so gets a cache of its own.
#include <windows.h>
#include <guiddef.h>

#include <atomic>
#include <cstring>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <utility>

#include "automation/Dispatch.h"

namespace korvane::com {

class NameCache {
public:
    std::optional<DispId> find(const GUID& type, std::wstring_view name) const;
    void remember(const GUID& type, std::wstring_view name, DispId id);

private:
    struct GuidLess {
        bool operator()(const GUID& a, const GUID& b) const noexcept { return std::memcmp(&a, &b, sizeof a) < 0; }
    };
    using Key = std::pair<GUID, std::wstring>;
    struct KeyLess {
        using is_transparent = void;
        bool operator()(const Key& a, const Key& b) const noexcept { return less(a.first, a.second, b.first, b.second); }
        bool operator()(const Key& a, const std::pair<GUID, std::wstring_view>& b) const noexcept {
            return less(a.first, a.second, b.first, b.second);
        }
        bool operator()(const std::pair<GUID, std::wstring_view>& a, const Key& b) const noexcept {
            return less(a.first, a.second, b.first, b.second);
        }
        static bool less(const GUID& ta, std::wstring_view na, const GUID& tb, std::wstring_view nb) noexcept {
            if (GuidLess{}(ta, tb)) return true;
            if (GuidLess{}(tb, ta)) return false;
            return na < nb;
        }
    };

    // Takes the cache for the calling thread on first use; raises RPC_E_WRONG_THREAD on any other.
    void claimForCallingThread() const;

    mutable std::atomic<std::thread::id> owner_{};
    std::map<Key, DispId, KeyLess> ids_;
};

}  // namespace korvane::com
