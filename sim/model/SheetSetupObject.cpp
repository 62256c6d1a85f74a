#include "model/SheetSetupObject.h"

#include <array>

namespace edgesim {

namespace {
constexpr std::array<MemberName, 1> kMembers{{{12, L"SheetSizeOption"}}};
}

std::wstring SheetSetupObject::identity() const {
    std::wstring sheet = document().sheetIdentity(sheet_);
    return L"SheetSetup" + sheet.substr(sheet.find(L'('));
}

std::span<const MemberName> SheetSetupObject::members() const { return kMembers; }

korvane::Variant SheetSetupObject::serveMember(Session&, korvane::DispId id, korvane::InvokeKind kind,
                                               std::vector<korvane::Variant>& args) {
    if (id != 12) noSuchMember();
    if (isRead(kind)) return korvane::Variant::i4(document().content().sheets(sheet_.group)[sheet_.index].size);
    document().mutableContent().sheets(sheet_.group)[sheet_.index].size = argument(args, 0).toLong();
    return {};
}

}  // namespace edgesim
