#pragma once
// Base of every automation object of the simulated application. Each call is served through the
// session, which logs it, applies scripted faults and refuses calls once the application has ended.
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "automation/Dispatch.h"

namespace edgesim {

class Session;

struct MemberName {
    korvane::DispId id;
    std::wstring_view name;
};

// The pseudo member under which walking a collection is logged (DISPID_NEWENUM).
inline constexpr korvane::DispId kNewEnumId = -4;

class SimObject : public korvane::Dispatch {
public:
    explicit SimObject(std::weak_ptr<Session> session) : session_(std::move(session)) {}

    korvane::Variant invoke(korvane::DispId id, korvane::InvokeKind kind, std::vector<korvane::Variant>& args) final;
    korvane::DispId idOfName(std::wstring_view name) final;
    std::unique_ptr<korvane::Enumerator> enumerate() final;

    // The object's kind as faults and logs name it: "Application", "Document", "Sheet" ...
    virtual std::wstring_view kind() const = 0;
    // A readable identity: "Application", "Document(C:\a.dft)", "Sheet(a.dft/Blatt1)" ...
    virtual std::wstring identity() const = 0;
    // The interface id (GUID text without braces) that a COM host reports as the object's type.
    virtual std::wstring_view interfaceId() const = 0;
    // The members the object answers by name.
    virtual std::span<const MemberName> members() const = 0;
    // The name of a member id ("" when unknown).
    std::wstring_view memberName(korvane::DispId id) const;

    // Serve one call; only the session calls these.
    virtual korvane::Variant serveMember(Session& session, korvane::DispId id, korvane::InvokeKind kind,
                                         std::vector<korvane::Variant>& args) = 0;
    // The items of a collection, in collection order; raises 438 for objects that are no collection.
    virtual std::vector<korvane::Variant> collectionItems(Session& session);
    // True when the object belongs to a closed document: every call then fails as disconnected.
    virtual bool isDisconnected() const { return false; }

protected:
    const std::weak_ptr<Session>& sessionRef() const noexcept { return session_; }
    // The i-th argument (from 0); raises 449 when it is absent or omitted.
    static const korvane::Variant& argument(const std::vector<korvane::Variant>& args, size_t index);
    // The 0-based index of an item given by its 1-based position among `count`; raises BadIndex outside.
    static size_t position(const korvane::Variant& which, size_t count);
    [[noreturn]] static void noSuchMember();
    // A read is a property get or a method call: automation callers may use either for a read.
    static bool isRead(korvane::InvokeKind kind) { return kind != korvane::InvokeKind::PropertyPut; }

private:
    std::shared_ptr<Session> lockSession() const;
    std::weak_ptr<Session> session_;
};

// The interface id of an object of the simulated application ("" for any other automation object),
// for hosts that report each object's type.
std::wstring_view interfaceIdOf(const korvane::Dispatch& object);

}  // namespace edgesim
