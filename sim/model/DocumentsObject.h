#pragma once
// The collection of open documents: count, item by position, opening files.
#include <span>
#include <string>

#include "model/SimObject.h"

namespace edgesim {

class DocumentsObject : public SimObject {
public:
    using SimObject::SimObject;

    std::wstring_view kind() const override { return L"Documents"; }
    std::wstring identity() const override { return L"Documents"; }
    std::wstring_view interfaceId() const override { return L"290D47B0-F718-11CD-8B57-080036181E02"; }
    std::span<const MemberName> members() const override;
    korvane::Variant serveMember(Session& session, korvane::DispId id, korvane::InvokeKind kind,
                                 std::vector<korvane::Variant>& args) override;
    std::vector<korvane::Variant> collectionItems(Session& session) override;
};

}  // namespace edgesim
