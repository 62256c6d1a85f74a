#include "model/SheetGroupsObject.h"

#include <array>

#include "model/SheetGroupObject.h"
#include "model/SimError.h"

namespace edgesim {

namespace {
constexpr std::array<MemberName, 2> kMembers{{{0, L"Item"}, {3, L"Count"}}};
}

std::wstring SheetGroupsObject::identity() const { return L"SheetGroups(" + document().shortName() + L")"; }

std::span<const MemberName> SheetGroupsObject::members() const { return kMembers; }

korvane::Variant SheetGroupsObject::serveMember(Session&, korvane::DispId id, korvane::InvokeKind kind,
                                                std::vector<korvane::Variant>& args) {
    if (!isRead(kind)) noSuchMember();
    switch (id) {
    case 0: {
        // The program passes the 16-bit integer 2; any whole number is taken.
        int32_t index = argument(args, 0).toLong();
        if (index != 1 && index != 2) err::badIndex();
        return korvane::Variant(std::make_shared<SheetGroupObject>(documentPtr(), static_cast<SheetGroupKind>(index)));
    }
    case 3: return korvane::Variant::i4(2);
    default: noSuchMember();
    }
}

std::vector<korvane::Variant> SheetGroupsObject::collectionItems(Session&) {
    return {korvane::Variant(std::make_shared<SheetGroupObject>(documentPtr(), SheetGroupKind::Working)),
            korvane::Variant(std::make_shared<SheetGroupObject>(documentPtr(), SheetGroupKind::Background))};
}

}  // namespace edgesim
