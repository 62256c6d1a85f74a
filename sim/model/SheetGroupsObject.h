#pragma once
// The sheet groups of a drafting document (1 = working sheets, 2 = background sheets).
#include <span>
#include <string>

#include "model/DocumentPart.h"

namespace edgesim {

class SheetGroupsObject : public DocumentPart {
public:
    using DocumentPart::DocumentPart;
    std::wstring_view kind() const override { return L"SheetGroups"; }
    std::wstring identity() const override;
    std::wstring_view interfaceId() const override { return L"823E92A0-5EB1-11CE-956A-08003601DFE5"; }
    std::span<const MemberName> members() const override;
    korvane::Variant serveMember(Session& session, korvane::DispId id, korvane::InvokeKind kind,
                                 std::vector<korvane::Variant>& args) override;
    std::vector<korvane::Variant> collectionItems(Session& session) override;
};

}  // namespace edgesim
