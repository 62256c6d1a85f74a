#pragma once
// The process's served objects: one IDispatch wrapper per object identity, so that a caller who
// gets the same object twice sees the same COM object, and who can count what callers still hold.
// As the bridge of the conversions, it hands out its objects and recognises them when they come back.
#include <windows.h>
#include <oaidl.h>

#include <cstddef>
#include <functional>
#include <optional>
#include <unordered_map>

#include "automation/Dispatch.h"
#include "automation/win32/ComPtr.h"
#include "automation/win32/ComVariant.h"

namespace korvane::com {

// NOLINTNEXTLINE(cppcoreguidelines-virtual-class-destructor): a COM object ends only through its last Release
class DispatchServer;

class ServerObjects final : public ObjectBridge {
public:
    // The interface id that a served object reports as its type (nothing: it reports no type).
    using TypeIdentity = std::function<std::optional<GUID>(Dispatch&)>;

    static ServerObjects& instance();

    void setTypeIdentity(TypeIdentity identity) { typeIdentity_ = std::move(identity); }
    std::optional<GUID> typeOf(Dispatch& object) const;

    // The wrapper of an object, made on first use.
    ComPtr<IDispatch> wrap(const DispatchPtr& object);
    // The object behind one of our wrappers; null for any other IDispatch.
    DispatchPtr unwrap(IDispatch* p) const;

    // Remote objects go back as themselves, objects of this process as their wrapper.
    IDispatch* exportObject(const DispatchPtr& object) override;
    // One of our wrappers gives the object behind it, any other reference a remote object.
    DispatchPtr importObject(IDispatch* object) override;

    // Wrappers alive, and the references held on them (by callers, stubs and this process alike).
    std::size_t liveObjects() const noexcept { return byTarget_.size(); }
    unsigned long heldReferences() const;

    // Called by a wrapper whose last reference goes.
    void forget(DispatchServer* server) noexcept;

private:
    ServerObjects() = default;

    std::unordered_map<const Dispatch*, DispatchServer*> byTarget_;
    std::unordered_map<const IDispatch*, DispatchServer*> byInterface_;
    TypeIdentity typeIdentity_;
};

}  // namespace korvane::com
