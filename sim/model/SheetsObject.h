#pragma once
// The sheets of one group, in the group's order.
#include <span>
#include <string>

#include "model/DocumentPart.h"

namespace edgesim {

class SheetsObject : public DocumentPart {
public:
    SheetsObject(std::shared_ptr<Document> document, SheetGroupKind group)
        : DocumentPart(std::move(document)), group_(group) {}
    std::wstring_view kind() const override { return L"Sheets"; }
    std::wstring identity() const override;
    std::wstring_view interfaceId() const override { return L"C39CAE50-5FB0-11CE-956A-08003601DFE5"; }
    std::span<const MemberName> members() const override;
    korvane::Variant serveMember(Session& session, korvane::DispId id, korvane::InvokeKind kind,
                                 std::vector<korvane::Variant>& args) override;
    std::vector<korvane::Variant> collectionItems(Session& session) override;

private:
    SheetGroupKind group_;
};

}  // namespace edgesim
