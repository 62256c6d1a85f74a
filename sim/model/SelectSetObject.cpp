#include "model/SelectSetObject.h"

#include <array>

namespace edgesim {

namespace {
constexpr std::array<MemberName, 3> kMembers{{{11, L"RemoveAll"}, {12, L"AddAll"}, {3, L"Count"}}};
}

std::wstring SelectSetObject::identity() const { return L"SelectSet(" + document().shortName() + L")"; }

std::span<const MemberName> SelectSetObject::members() const { return kMembers; }

korvane::Variant SelectSetObject::serveMember(Session&, korvane::DispId id, korvane::InvokeKind kind,
                                              std::vector<korvane::Variant>&) {
    if (!isRead(kind)) noSuchMember();
    switch (id) {
    case 11:
        document().clearSelection();
        return {};
    case 12:
        document().selectAllOnCurrentSheet();
        return {};
    case 3: return korvane::Variant::i4(static_cast<int32_t>(document().selection().size()));
    default: noSuchMember();
    }
}

}  // namespace edgesim
