#include "model/SimObject.h"

#include "automation/AutomationError.h"
#include "model/ListEnumerator.h"
#include "model/Session.h"
#include "model/SimError.h"

namespace edgesim {

std::shared_ptr<Session> SimObject::lockSession() const {
    auto session = session_.lock();
    if (!session) err::raise(err::ServerUnavailable, L"Der RPC-Server ist nicht verfügbar.");
    return session;
}

korvane::Variant SimObject::invoke(korvane::DispId id, korvane::InvokeKind kind, std::vector<korvane::Variant>& args) {
    return lockSession()->serve(*this, id, kind, args);
}

korvane::DispId SimObject::idOfName(std::wstring_view name) { return lockSession()->lookup(*this, name); }

std::unique_ptr<korvane::Enumerator> SimObject::enumerate() {
    return std::make_unique<korvane::ListEnumerator>(lockSession()->enumerateItems(*this));
}

std::wstring_view SimObject::memberName(korvane::DispId id) const {
    for (const MemberName& m : members())
        if (m.id == id) return m.name;
    return {};
}

std::vector<korvane::Variant> SimObject::collectionItems(Session&) {
    korvane::raiseRuntimeError(korvane::rt::MemberNotSupported);
}

const korvane::Variant& SimObject::argument(const std::vector<korvane::Variant>& args, size_t index) {
    if (index >= args.size() || args[index].isMissing()) korvane::raiseRuntimeError(korvane::rt::ArgumentNotOptional);
    return args[index];
}

size_t SimObject::position(const korvane::Variant& which, size_t count) {
    int32_t given = which.toLong();
    if (given < 1 || static_cast<size_t>(given) > count) err::badIndex();
    return static_cast<size_t>(given - 1);
}

std::wstring_view interfaceIdOf(const korvane::Dispatch& object) {
    auto* simulated = dynamic_cast<const SimObject*>(&object);
    return simulated ? simulated->interfaceId() : std::wstring_view{};
}

void SimObject::noSuchMember() { korvane::raiseRuntimeError(korvane::rt::MemberNotSupported); }

}  // namespace edgesim
