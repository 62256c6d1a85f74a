#pragma once
// Member ids learned from GetIDsOfNames, shared by every object of one type for the whole run:
// a member name is looked up at most once per type, however many objects of the type are used.
#include <windows.h>
#include <guiddef.h>

#include <cstring>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "automation/Dispatch.h"

namespace korvane::com {

class NameCache {
public:
    static NameCache& forRun();

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

    std::map<Key, DispId, KeyLess> ids_;
};

}  // namespace korvane::com
