#pragma once
// The window of a document; its selection is the document's selection.
#include <span>
#include <string>

#include "model/DocumentPart.h"

namespace edgesim {

class WindowObject : public DocumentPart {
public:
    using DocumentPart::DocumentPart;
    std::wstring_view kind() const override { return L"Window"; }
    std::wstring identity() const override;
    std::wstring_view interfaceId() const override { return L"EDE51A00-0000-4000-8000-0000000000A1"; }
    std::span<const MemberName> members() const override;
    korvane::Variant serveMember(Session& session, korvane::DispId id, korvane::InvokeKind kind,
                                 std::vector<korvane::Variant>& args) override;

};

}  // namespace edgesim
