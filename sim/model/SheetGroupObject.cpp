#include "model/SheetGroupObject.h"

#include <array>

#include "model/SheetsObject.h"

namespace edgesim {

namespace {
constexpr std::array<MemberName, 2> kMembers{{{104, L"Sheets"}, {105, L"Type"}}};
}

std::wstring SheetGroupObject::identity() const {
    return L"SheetGroup(" + document().shortName() + L"/" + std::to_wstring(static_cast<int32_t>(group_)) + L")";
}

std::span<const MemberName> SheetGroupObject::members() const { return kMembers; }

korvane::Variant SheetGroupObject::serveMember(Session&, korvane::DispId id, korvane::InvokeKind kind,
                                               std::vector<korvane::Variant>&) {
    if (!isRead(kind)) noSuchMember();
    switch (id) {
    case 104: return korvane::Variant(std::make_shared<SheetsObject>(documentPtr(), group_));
    case 105: return korvane::Variant::i4(static_cast<int32_t>(group_));
    default: noSuchMember();
    }
}

}  // namespace edgesim
