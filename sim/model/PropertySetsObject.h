#pragma once
// The property sets of a document.
#include <span>
#include <string>

#include "model/DocumentPart.h"

namespace edgesim {

class PropertySetsObject : public DocumentPart {
public:
    using DocumentPart::DocumentPart;
    std::wstring_view kind() const override { return L"PropertySets"; }
    std::wstring identity() const override;
    std::wstring_view interfaceId() const override { return L"AED8FE5F-3129-11D1-BC83-0800360E1E02"; }
    std::span<const MemberName> members() const override;
    korvane::Variant serveMember(Session& session, korvane::DispId id, korvane::InvokeKind kind,
                                 std::vector<korvane::Variant>& args) override;
    std::vector<korvane::Variant> collectionItems(Session& session) override;
};

}  // namespace edgesim
