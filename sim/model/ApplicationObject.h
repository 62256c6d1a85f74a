#pragma once
// The application object: the entry to documents, windows, settings and commands.
#include <span>
#include <string>

#include "model/SimObject.h"

namespace edgesim {

class ApplicationObject : public SimObject {
public:
    using SimObject::SimObject;

    std::wstring_view kind() const override { return L"Application"; }
    std::wstring identity() const override { return L"Application"; }
    std::wstring_view interfaceId() const override { return L"DED89DB0-45B6-11CE-B307-0800363A1E02"; }
    std::span<const MemberName> members() const override;
    korvane::Variant serveMember(Session& session, korvane::DispId id, korvane::InvokeKind kind,
                                 std::vector<korvane::Variant>& args) override;
};

}  // namespace edgesim
