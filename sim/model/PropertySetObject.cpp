#include "model/PropertySetObject.h"

#include <array>

#include "model/PropertyObject.h"
#include "model/Session.h"
#include "model/SimError.h"

namespace edgesim {

namespace {
constexpr std::array<MemberName, 5> kMembers{{{0, L"Item"}, {3, L"Count"}, {5, L"Save"}, {8, L"Add"}, {20, L"Name"}}};
}

std::wstring PropertySetObject::identity() const {
    return L"PropertySet(" + document().shortName() + L"/" + setName_ + L")";
}

std::span<const MemberName> PropertySetObject::members() const { return kMembers; }

const PropertySet& PropertySetObject::set() const {
    const PropertySet* found = document().content().propertySet(setName_);
    if (!found) err::badIndex();
    return *found;
}

korvane::Variant PropertySetObject::serveMember(Session& session, korvane::DispId id, korvane::InvokeKind kind,
                                                std::vector<korvane::Variant>& args) {
    if (!isRead(kind)) noSuchMember();
    const PropertySet& properties = set();
    switch (id) {
    case 0: {
        const korvane::Variant& which = argument(args, 0);
        if (which.type() == korvane::VarType::I2 || which.type() == korvane::VarType::I4) {
            const Property& p = properties.properties[position(which, properties.properties.size())];
            return korvane::Variant(std::make_shared<PropertyObject>(documentPtr(), setName_, p.name));
        }
        std::wstring name = which.toText();
        if (!properties.find(name)) err::badIndex();
        return korvane::Variant(std::make_shared<PropertyObject>(documentPtr(), setName_, name));
    }
    case 3: return korvane::Variant::i4(static_cast<int32_t>(properties.properties.size()));
    case 5:
        document().notePropertySetSave(setName_);
        return {};
    case 8: {
        std::wstring name = argument(args, 0).toText();
        std::wstring value = argument(args, 1).toText();
        if (const AddRefusal* refusal = session.refusalFor(name)) err::raise(refusal->number, refusal->description);
        if (name.empty()) err::raise(err::Fail, L"Eine Eigenschaft braucht einen Namen.");
        if (properties.find(name))
            err::raise(err::AlreadyExists, L"Eine Eigenschaft mit dem Namen \"" + name + L"\" existiert bereits.");
        document().mutableContent().propertySet(setName_)->properties.push_back(Property{name, value});
        return korvane::Variant(std::make_shared<PropertyObject>(documentPtr(), setName_, name));
    }
    case 20: return korvane::Variant(setName_);
    default: noSuchMember();
    }
}

std::vector<korvane::Variant> PropertySetObject::collectionItems(Session&) {
    std::vector<korvane::Variant> out;
    for (const Property& p : set().properties)
        out.emplace_back(std::make_shared<PropertyObject>(documentPtr(), setName_, p.name));
    return out;
}

}  // namespace edgesim
