#include "model/WindowObject.h"

#include <array>

#include "model/SelectSetObject.h"

namespace edgesim {

namespace {
constexpr std::array<MemberName, 1> kMembers{{{30, L"SelectSet"}}};
}

std::wstring WindowObject::identity() const { return L"Window(" + document().shortName() + L")"; }

std::span<const MemberName> WindowObject::members() const { return kMembers; }

korvane::Variant WindowObject::serveMember(Session&, korvane::DispId id, korvane::InvokeKind kind,
                                           std::vector<korvane::Variant>&) {
    if (!isRead(kind) || id != 30) noSuchMember();
    return korvane::Variant(std::make_shared<SelectSetObject>(documentPtr()));
}

}  // namespace edgesim
