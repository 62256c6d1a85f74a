#include "model/PropertyObject.h"

#include <array>

#include "model/SimError.h"

namespace edgesim {

namespace {
constexpr std::array<MemberName, 2> kMembers{{{2, L"Value"}, {20, L"Name"}}};
}

std::wstring PropertyObject::identity() const {
    return L"Property(" + document().shortName() + L"/" + setName_ + L"/" + propertyName_ + L")";
}

std::span<const MemberName> PropertyObject::members() const { return kMembers; }

const Property& PropertyObject::property() const {
    const Property* found = document().content().property(setName_, propertyName_);
    if (!found) err::badIndex();
    return *found;
}

korvane::Variant PropertyObject::serveMember(Session&, korvane::DispId id, korvane::InvokeKind kind,
                                             std::vector<korvane::Variant>& args) {
    switch (id) {
    case 2:
        if (isRead(kind)) return korvane::Variant(property().value);
        {
            std::wstring value = argument(args, 0).toText();
            property();  // the property must still exist
            document().mutableContent().propertySet(setName_)->find(propertyName_)->value = std::move(value);
        }
        return {};
    case 20:
        if (!isRead(kind)) noSuchMember();
        return korvane::Variant(property().name);
    default: noSuchMember();
    }
}

}  // namespace edgesim
