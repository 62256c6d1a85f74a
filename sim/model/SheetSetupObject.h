#pragma once
// The setup of a sheet: its size value.
#include <span>
#include <string>

#include "model/DocumentPart.h"

namespace edgesim {

class SheetSetupObject : public DocumentPart {
public:
    SheetSetupObject(std::shared_ptr<Document> document, SheetRef sheet)
        : DocumentPart(std::move(document)), sheet_(sheet) {}
    std::wstring_view kind() const override { return L"SheetSetup"; }
    std::wstring identity() const override;
    std::wstring_view interfaceId() const override { return L"A1BA2BC0-41EA-11CE-BB8E-08003601BB4E"; }
    std::span<const MemberName> members() const override;
    korvane::Variant serveMember(Session& session, korvane::DispId id, korvane::InvokeKind kind,
                                 std::vector<korvane::Variant>& args) override;

private:
    SheetRef sheet_;
};

}  // namespace edgesim
