#include "comserver/ServerObjects.h"

#include "automation/win32/ComDispatch.h"
#include "comserver/DispatchServer.h"

namespace korvane::com {

ServerObjects& ServerObjects::instance() {
    static ServerObjects objects;
    return objects;
}

std::optional<GUID> ServerObjects::typeOf(Dispatch& object) const {
    if (!typeIdentity_) return std::nullopt;
    return typeIdentity_(object);
}

ComPtr<IDispatch> ServerObjects::wrap(const DispatchPtr& object) {
    if (!object) return {};
    auto found = byTarget_.find(object.get());
    if (found != byTarget_.end()) return ComPtr<IDispatch>::share(found->second);
    auto server = ComPtr<IDispatch>::adopt(new DispatchServer(object));
    auto* raw = static_cast<DispatchServer*>(server.get());
    byTarget_.emplace(object.get(), raw);
    byInterface_.emplace(server.get(), raw);
    return server;
}

DispatchPtr ServerObjects::unwrap(IDispatch* p) const {
    auto found = byInterface_.find(p);
    return found == byInterface_.end() ? DispatchPtr{} : found->second->target();
}

IDispatch* ServerObjects::exportObject(const DispatchPtr& object) {
    if (dynamic_cast<ComDispatch*>(object.get())) return ObjectBridge::exportObject(object);
    return wrap(object).detach();
}

DispatchPtr ServerObjects::importObject(IDispatch* object) {
    if (DispatchPtr own = unwrap(object)) return own;
    return ObjectBridge::importObject(object);
}

unsigned long ServerObjects::heldReferences() const {
    unsigned long sum = 0;
    for (const auto& entry : byTarget_) sum += entry.second->references();
    return sum;
}

void ServerObjects::forget(DispatchServer* server) noexcept {
    byTarget_.erase(server->target().get());
    byInterface_.erase(static_cast<IDispatch*>(server));
}

}  // namespace korvane::com
