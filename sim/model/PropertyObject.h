#pragma once
// One property of a property set, reached by its names.
#include <span>
#include <string>

#include "model/DocumentPart.h"

namespace edgesim {

class PropertyObject : public DocumentPart {
public:
    PropertyObject(std::shared_ptr<Document> document, std::wstring setName, std::wstring propertyName)
        : DocumentPart(std::move(document)), setName_(std::move(setName)), propertyName_(std::move(propertyName)) {}
    std::wstring_view kind() const override { return L"Property"; }
    std::wstring identity() const override;
    std::wstring_view interfaceId() const override { return L"AED8FE63-3129-11D1-BC83-0800360E1E02"; }
    std::span<const MemberName> members() const override;
    korvane::Variant serveMember(Session& session, korvane::DispId id, korvane::InvokeKind kind,
                                 std::vector<korvane::Variant>& args) override;

private:
    const Property& property() const;  // raises when the property is gone
    std::wstring setName_;
    std::wstring propertyName_;
};

}  // namespace edgesim
