#include "model/DocumentsObject.h"

#include <array>

#include "model/Session.h"

namespace edgesim {

namespace {
constexpr std::array<MemberName, 3> kMembers{{{0, L"Item"}, {3, L"Count"}, {6, L"Open"}}};
}

std::span<const MemberName> DocumentsObject::members() const { return kMembers; }

korvane::Variant DocumentsObject::serveMember(Session& session, korvane::DispId id, korvane::InvokeKind kind,
                                              std::vector<korvane::Variant>& args) {
    if (!isRead(kind)) noSuchMember();
    const auto& documents = session.documents();
    switch (id) {
    case 0: return korvane::Variant(documents[position(argument(args, 0), documents.size())]);
    case 3: return korvane::Variant::i4(static_cast<int32_t>(documents.size()));
    case 6:
        // The name may come by value or by reference; toText reads either.
        return korvane::Variant(session.open(argument(args, 0).toText()));
    default: noSuchMember();
    }
}

std::vector<korvane::Variant> DocumentsObject::collectionItems(Session& session) {
    std::vector<korvane::Variant> out;
    for (const auto& d : session.documents()) out.emplace_back(d);
    return out;
}

}  // namespace edgesim
