#include "model/ApplicationObject.h"

#include <array>

#include "model/DocumentsObject.h"
#include "model/Session.h"
#include "model/SimError.h"
#include "model/WindowObject.h"

namespace edgesim {

namespace {
// Made up: the program calls Visible by name only.
constexpr korvane::DispId kVisibleId = 95;

constexpr std::array<MemberName, 11> kMembers{{{2, L"ActiveDocument"},
                                               {8, L"ActiveWindow"},
                                               {18, L"DisplayAlerts"},
                                               {21, L"Documents"},
                                               {29, L"ScreenUpdating"},
                                               {40, L"Quit"},
                                               {58, L"Version"},
                                               {63, L"DoIdle"},
                                               {76, L"ActiveDocumentType"},
                                               {79, L"StartCommand"},
                                               {kVisibleId, L"Visible"}}};
}

std::span<const MemberName> ApplicationObject::members() const { return kMembers; }

korvane::Variant ApplicationObject::serveMember(Session& session, korvane::DispId id, korvane::InvokeKind kind,
                                                std::vector<korvane::Variant>& args) {
    if (id == 18 || id == 29) {
        if (isRead(kind)) return korvane::Variant::boolean(session.settings[id]);
        session.settings[id] = argument(args, 0).toBool();
        return {};
    }
    if (id == kVisibleId) {
        if (isRead(kind)) return korvane::Variant::boolean(session.visible);
        session.visible = argument(args, 0).toBool();
        return {};
    }
    if (!isRead(kind)) noSuchMember();
    switch (id) {
    case 2: return korvane::Variant(session.requireActive());
    case 8:
        // An application nobody made visible has no window, so none is current.
        if (!session.visible) err::raise(err::Fail, L"Kein aktives Fenster.");
        return korvane::Variant(std::make_shared<WindowObject>(session.requireActive()));
    case 21: return korvane::Variant(std::make_shared<DocumentsObject>(sessionRef()));
    case 40:
        session.quit();
        return {};
    case 58: return korvane::Variant(session.version);
    case 63:
        session.noteIdle();
        return {};
    case 76: return korvane::Variant::i4(session.requireActive()->type());
    case 79:
        session.runCommand(argument(args, 0).toLong());
        return {};
    default: noSuchMember();
    }
}

}  // namespace edgesim
