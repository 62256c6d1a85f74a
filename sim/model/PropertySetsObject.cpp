#include "model/PropertySetsObject.h"

#include <array>

#include "model/PropertySetObject.h"
#include "model/SimError.h"

namespace edgesim {

namespace {
constexpr std::array<MemberName, 2> kMembers{{{0, L"Item"}, {3, L"Count"}}};
}

std::wstring PropertySetsObject::identity() const { return L"PropertySets(" + document().shortName() + L")"; }

std::span<const MemberName> PropertySetsObject::members() const { return kMembers; }

korvane::Variant PropertySetsObject::serveMember(Session&, korvane::DispId id, korvane::InvokeKind kind,
                                                 std::vector<korvane::Variant>& args) {
    if (!isRead(kind)) noSuchMember();
    const std::vector<PropertySet>& sets = document().content().propertySets;
    switch (id) {
    case 0: {
        const korvane::Variant& which = argument(args, 0);
        if (which.type() == korvane::VarType::I2 || which.type() == korvane::VarType::I4)
            return korvane::Variant(
                std::make_shared<PropertySetObject>(documentPtr(), sets[position(which, sets.size())].name));
        std::wstring name = which.toText();
        if (!document().content().propertySet(name)) err::badIndex();
        return korvane::Variant(std::make_shared<PropertySetObject>(documentPtr(), name));
    }
    case 3: return korvane::Variant::i4(static_cast<int32_t>(sets.size()));
    default: noSuchMember();
    }
}

std::vector<korvane::Variant> PropertySetsObject::collectionItems(Session&) {
    std::vector<korvane::Variant> out;
    for (const PropertySet& set : document().content().propertySets)
        out.emplace_back(std::make_shared<PropertySetObject>(documentPtr(), set.name));
    return out;
}

}  // namespace edgesim
