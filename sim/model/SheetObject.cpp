#include "model/SheetObject.h"

#include <array>

#include "model/Session.h"
#include "model/SheetSetupObject.h"

namespace edgesim {

namespace {
constexpr std::array<MemberName, 3> kMembers{{{115, L"Activate"}, {123, L"SheetSetup"}, {20, L"Name"}}};
}

std::wstring SheetObject::identity() const { return document().sheetIdentity(sheet_); }

std::span<const MemberName> SheetObject::members() const { return kMembers; }

korvane::Variant SheetObject::serveMember(Session& session, korvane::DispId id, korvane::InvokeKind kind,
                                          std::vector<korvane::Variant>&) {
    if (!isRead(kind)) noSuchMember();
    switch (id) {
    case 115:
        document().activateSheet(session, sheet_);
        return {};
    case 123: return korvane::Variant(std::make_shared<SheetSetupObject>(documentPtr(), sheet_));
    case 20: return korvane::Variant(document().content().sheets(sheet_.group)[sheet_.index].name);
    default: noSuchMember();
    }
}

}  // namespace edgesim
