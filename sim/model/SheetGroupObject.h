#pragma once
// One sheet group of a drafting document.
#include <span>
#include <string>

#include "model/DocumentPart.h"

namespace edgesim {

class SheetGroupObject : public DocumentPart {
public:
    SheetGroupObject(std::shared_ptr<Document> document, SheetGroupKind group)
        : DocumentPart(std::move(document)), group_(group) {}
    std::wstring_view kind() const override { return L"SheetGroup"; }
    std::wstring identity() const override;
    std::wstring_view interfaceId() const override { return L"2F364920-5EB1-11CE-956A-08003601DFE5"; }
    std::span<const MemberName> members() const override;
    korvane::Variant serveMember(Session& session, korvane::DispId id, korvane::InvokeKind kind,
                                 std::vector<korvane::Variant>& args) override;

private:
    SheetGroupKind group_;
};

}  // namespace edgesim
