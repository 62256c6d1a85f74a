#include "model/SheetsObject.h"

#include <array>

#include "model/SheetObject.h"
#include "model/SimError.h"

namespace edgesim {

namespace {
constexpr std::array<MemberName, 2> kMembers{{{0, L"Item"}, {3, L"Count"}}};
}

std::wstring SheetsObject::identity() const {
    return L"Sheets(" + document().shortName() + L"/" + std::to_wstring(static_cast<int32_t>(group_)) + L")";
}

std::span<const MemberName> SheetsObject::members() const { return kMembers; }

korvane::Variant SheetsObject::serveMember(Session&, korvane::DispId id, korvane::InvokeKind kind,
                                           std::vector<korvane::Variant>& args) {
    if (!isRead(kind)) noSuchMember();
    const std::vector<Sheet>& sheets = document().content().sheets(group_);
    switch (id) {
    case 0: {
        const korvane::Variant& which = argument(args, 0);
        if (which.type() == korvane::VarType::Text || which.type() == korvane::VarType::TextRef) {
            std::wstring name = which.toText();
            for (size_t i = 0; i < sheets.size(); ++i)
                if (sheets[i].name == name)
                    return korvane::Variant(std::make_shared<SheetObject>(documentPtr(), SheetRef{group_, i}));
            err::badIndex();
        }
        return korvane::Variant(
            std::make_shared<SheetObject>(documentPtr(), SheetRef{group_, position(which, sheets.size())}));
    }
    case 3: return korvane::Variant::i4(static_cast<int32_t>(sheets.size()));
    default: noSuchMember();
    }
}

std::vector<korvane::Variant> SheetsObject::collectionItems(Session&) {
    std::vector<korvane::Variant> out;
    size_t count = document().content().sheets(group_).size();
    for (size_t i = 0; i < count; ++i)
        out.emplace_back(std::make_shared<SheetObject>(documentPtr(), SheetRef{group_, i}));
    return out;
}

}  // namespace edgesim
