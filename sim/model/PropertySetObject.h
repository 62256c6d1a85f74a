#pragma once
// One property set of a document, reached by its name.
#include <span>
#include <string>

#include "model/DocumentPart.h"

namespace edgesim {

class PropertySetObject : public DocumentPart {
public:
    PropertySetObject(std::shared_ptr<Document> document, std::wstring setName)
        : DocumentPart(std::move(document)), setName_(std::move(setName)) {}
    std::wstring_view kind() const override { return L"PropertySet"; }
    std::wstring identity() const override;
    std::wstring_view interfaceId() const override { return L"AED8FE61-3129-11D1-BC83-0800360E1E02"; }
    std::span<const MemberName> members() const override;
    korvane::Variant serveMember(Session& session, korvane::DispId id, korvane::InvokeKind kind,
                                 std::vector<korvane::Variant>& args) override;
    std::vector<korvane::Variant> collectionItems(Session& session) override;

private:
    const PropertySet& set() const;  // raises when the set is gone
    std::wstring setName_;
};

}  // namespace edgesim
