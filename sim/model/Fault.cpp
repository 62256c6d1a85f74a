#include "model/Fault.h"

#include "automation/AutomationError.h"
#include "automation/Variant.h"
#include "automation/TextConvert.h"
#include "model/SimObject.h"

namespace edgesim {

namespace {

bool objectMatches(std::wstring_view pattern, const SimObject& target) {
    if (pattern == L"*" || pattern == target.kind()) return true;
    std::wstring identity = target.identity();
    if (pattern == identity) return true;
    // "PropertySet(Custom)" names every object whose identity is "PropertySet(.../Custom)".
    size_t open = pattern.find(L'(');
    if (open == std::wstring_view::npos || pattern.back() != L')') return false;
    if (pattern.substr(0, open) != target.kind()) return false;
    std::wstring suffix = L"/" + std::wstring(pattern.substr(open + 1));
    return identity.size() >= suffix.size() && identity.compare(identity.size() - suffix.size(), suffix.size(), suffix) == 0;
}

}  // namespace

bool Fault::matches(const SimObject& target, korvane::DispId id, std::wstring_view memberName) const {
    if (!objectMatches(object, target)) return false;
    if (member == L"*") return true;
    if (!member.empty() && (member.front() == L'-' || (member.front() >= L'0' && member.front() <= L'9'))) {
        try {
            return korvane::parseLong(member) == id;
        } catch (const korvane::AutomationError&) {
            return false;
        }
    }
    return korvane::equalsIgnoringCase(member, memberName);
}

bool Fault::fires() {
    ++matched;
    return repeats ? matched >= at : matched == at;
}

}  // namespace edgesim
