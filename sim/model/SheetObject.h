#pragma once
// One sheet: it can be made the current sheet and tells its size through its setup.
#include <span>
#include <string>

#include "model/DocumentPart.h"

namespace edgesim {

class SheetObject : public DocumentPart {
public:
    SheetObject(std::shared_ptr<Document> document, SheetRef sheet)
        : DocumentPart(std::move(document)), sheet_(sheet) {}
    std::wstring_view kind() const override { return L"Sheet"; }
    std::wstring identity() const override;
    std::wstring_view interfaceId() const override { return L"FFB20FA0-339B-11CE-956A-08003601DFE5"; }
    std::span<const MemberName> members() const override;
    korvane::Variant serveMember(Session& session, korvane::DispId id, korvane::InvokeKind kind,
                                 std::vector<korvane::Variant>& args) override;

private:
    SheetRef sheet_;
};

}  // namespace edgesim
