#pragma once
// A small served object for the adapter tests: it answers a handful of members, remembers how it
// was called and counts its name look-ups.
#include <windows.h>

#include <map>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "automation/AutomationError.h"
#include "automation/Dispatch.h"
#include "comserver/ServerObjects.h"
#include "model/ListEnumerator.h"

namespace probe {

using korvane::DispId;
using korvane::InvokeKind;
using korvane::Variant;

enum Member : DispId {
    Name = 1,       // get/put text
    Child = 3,      // get: the same child object every time
    Echo = 4,       // call: the first argument as given
    Append = 5,     // call: appends "!" to the text passed by reference
    Fail = 6,       // call (number, description): raises that error
    Nothing = 7,    // get: Nothing
    IsChild = 9,    // call (object): True when the object is this probe's child
    ArgCount = 10,  // call: the number of arguments
    Crash = 11,     // call: throws something that is no AutomationError
};

class Probe : public korvane::Dispatch {
public:
    explicit Probe(std::optional<GUID> type = std::nullopt) : type_(type) {}

    Variant invoke(DispId id, InvokeKind kind, std::vector<Variant>& args) override {
        lastKind = kind;
        switch (id) {
        case Name:
            if (kind == InvokeKind::PropertyPut) {
                name_ = args.at(0).toText();
                return {};
            }
            return Variant(name_);
        case Child:
            if (!child_) child_ = std::make_shared<Probe>(type_);
            return Variant(korvane::DispatchPtr(child_));
        case Echo: return args.empty() ? Variant() : args[0];
        case Append:
            if (std::wstring* text = args.at(0).textRef()) *text += L"!";
            return {};
        case Fail: throw korvane::AutomationError(args.at(0).toLong(), args.at(1).toText(), L"Probe");
        case Nothing: return Variant::nothing();
        case IsChild: return Variant::boolean(child_ != nullptr && args.at(0).toObject() == child_);
        case ArgCount: return Variant::i4(static_cast<int32_t>(args.size()));
        case Crash: throw std::runtime_error("no automation error");
        default: korvane::raiseRuntimeError(korvane::rt::MemberNotSupported);
        }
    }

    DispId idOfName(std::wstring_view name) override {
        ++lookups;
        static const std::map<std::wstring, DispId, std::less<>> names{
            {L"Name", Name},   {L"Child", Child},     {L"Echo", Echo},         {L"Append", Append},
            {L"Fail", Fail},   {L"Nothing", Nothing}, {L"IsChild", IsChild},   {L"ArgCount", ArgCount}, {L"Crash", Crash}};
        auto found = names.find(name);
        if (found == names.end()) korvane::raiseRuntimeError(korvane::rt::MemberNotSupported);
        return found->second;
    }

    // The collection: 1, "zwei" and the child.
    std::unique_ptr<korvane::Enumerator> enumerate() override {
        if (!child_) child_ = std::make_shared<Probe>(type_);
        return std::make_unique<korvane::ListEnumerator>(
            std::vector<Variant>{Variant::i4(1), Variant(L"zwei"), Variant(korvane::DispatchPtr(child_))});
    }

    const std::optional<GUID>& type() const { return type_; }
    // The child once a caller has reached it (through Child or the collection).
    const std::shared_ptr<Probe>& child() const { return child_; }

    InvokeKind lastKind = InvokeKind::Method;
    int lookups = 0;

private:
    std::optional<GUID> type_;
    std::wstring name_;
    std::shared_ptr<Probe> child_;
};

// A type identity no probe has had before.
inline GUID freshGuid() {
    GUID g{};
    if (CoCreateGuid(&g) != S_OK) throw std::runtime_error("CoCreateGuid");
    return g;
}

// While alive, the server tells each served probe's type by the probe's own (the name cache is kept per
// type); other objects have none.
class ProbeTypesServed {
public:
    ProbeTypesServed() {
        korvane::com::ServerObjects::instance().setTypeIdentity([](korvane::Dispatch& d) -> std::optional<GUID> {
            auto* p = dynamic_cast<Probe*>(&d);
            return p ? p->type() : std::nullopt;
        });
    }
    ~ProbeTypesServed() { korvane::com::ServerObjects::instance().setTypeIdentity(nullptr); }
    ProbeTypesServed(const ProbeTypesServed&) = delete;
    ProbeTypesServed& operator=(const ProbeTypesServed&) = delete;
};

}  // namespace probe
