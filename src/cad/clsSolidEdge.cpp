#include "cad/clsSolidEdge.h"

#include <utility>
#include <vector>

#include "automation/AutomationBinder.h"
#include "automation/ErrorPolicy.h"
#include "cad/DocumentName.h"
#include "cad/MemberIds.h"
#include "files/clsFileString.h"

namespace korvane {

namespace {

namespace app = member::application;
namespace docs = member::documents;

// The report a failed binding leaves behind (0x80040001, a user-defined automation error).
constexpr int32_t kBindingFailedNumber = static_cast<int32_t>(0x80040001u);

std::vector<std::wstring> splitAtDots(const std::wstring& text) {
    std::vector<std::wstring> parts;
    std::wstring::size_type start = 0;
    for (;;) {
        auto dot = text.find(L'.', start);
        if (dot == std::wstring::npos) {
            parts.push_back(text.substr(start));
            return parts;
        }
        parts.push_back(text.substr(start, dot - start));
        start = dot + 1;
    }
}

// The i-th component (from 1) as a number; a missing one is out of range like an array index.
int32_t versionComponent(const std::vector<std::wstring>& parts, int32_t i) {
    if (i < 1 || static_cast<size_t>(i) > parts.size()) raiseRuntimeError(rt::SubscriptOutOfRange);
    return parseLong(parts[static_cast<size_t>(i - 1)]);
}

}  // namespace

clsSolidEdge::clsSolidEdge() : clsSolidEdge(defaultAutomationBinder(), defaultFileSystem()) {}

clsSolidEdge::clsSolidEdge(std::shared_ptr<AutomationBinder> binder, std::shared_ptr<FileSystem> fileSystem)
    : binder_(std::move(binder)), fileSystem_(std::move(fileSystem)) {}

clsSolidEdge::~clsSolidEdge() {
    // Failure policy: record and skip, so that a refused setting never keeps a started
    // application alive; nothing leaves the destructor.
    try {
        ErrorRecord record;
        if (connected_) {
            record.attempt([&] { application_.put(app::DisplayAlerts, Variant::boolean(true)); });
            record.attempt([&] { application_.put(app::ScreenUpdating, Variant::boolean(true)); });
        }
        if (started_) record.attempt([&] { application_.call(app::Quit); });
    } catch (...) {
    }
    application_.reset();
}

std::wstring clsSolidEdge::dokumentTypCode(int32_t typeNumber) {
    switch (typeNumber) {
    case doctype::Part: return L"PAR";
    case doctype::Draft: return L"SED";
    case doctype::Assembly: return L"ASM";
    case doctype::SheetMetal: return L"SES";
    case doctype::SheetMetalPart: return L"PSM";
    default: return L"";
    }
}

Object clsSolidEdge::liefereSolidEdgeApplication() {
    // Failure policy: neutral result. Every failure is absorbed; the caller sees only the empty
    // reference, the report stays in bindingFailure() for diagnostics.
    // Without an automation runtime the binding fails like a class that is not registered.
    const auto binder = [this]() -> AutomationBinder& {
        if (!binder_) raiseRuntimeError(rt::CannotCreateObject);
        return *binder_;
    };
    try {
        application_ = binder().getActiveObject(kSolidEdgeProgId);
        connected_ = !application_.isNothing();
        started_ = false;
        if (connected_) {
            bindingFailure_.reset();
            return application_;
        }
    } catch (const AutomationError&) {
    }
    try {
        application_ = binder().createObject(kSolidEdgeProgId);
        connected_ = !application_.isNothing();
        started_ = connected_;
    } catch (const AutomationError&) {
        application_.reset();
        connected_ = false;
        started_ = false;
    }
    if (connected_) {
        bindingFailure_.reset();
    } else {
        bindingFailure_.emplace(kBindingFailedNumber, L"SolidEdgeobjekt konnte nicht erstellt werden",
                                L"SolidEdge Klasse");
    }
    return application_;
}

bool clsSolidEdge::speichereSolidEdgeDokument(const std::wstring& DateiName) {
    // Failure policy: no guard; documents with a higher position may already be saved.
    return forEachOpenDocumentNamed(DateiName, [](const Object& document) { document.call(L"Save"); });
}

bool clsSolidEdge::schlieseSolidEdgeDokument(const std::wstring& DateiName) {
    // Failure policy: no guard; documents with a higher position may already be closed.
    return forEachOpenDocumentNamed(DateiName,
                                    [](const Object& document) { document.call(L"Close", {Variant::boolean(false)}); });
}

bool clsSolidEdge::forEachOpenDocumentNamed(const std::wstring& DateiName,
                                            const std::function<void(const Object&)>& action) {
    // The walk runs downwards so that a closed document never shifts an unvisited one; every
    // document of that name is handled, not only the first.
    clsFileString files(fileSystem_);
    const std::wstring wanted = files.convertNachUNC(Variant(DateiName));
    Object documents = liefereSolidEdgeApplication().getObject(app::Documents);
    const int32_t count = documents.get(docs::Count).toLong();
    bool handled = false;
    for (int32_t position = count; position >= 1; --position) {
        Object document = documents.callObject(docs::Item, {Variant::i4(position)});
        if (sameDocument(wanted, uncNameOfDocument(files, document.get(L"FullName")))) {
            action(document);
            handled = true;
        }
    }
    return handled;
}

Object clsSolidEdge::liefereSolidEdgeAssemblyDokument(const std::wstring& DateiName) {
    // Failure policy: no guard.
    return findOrOpenDocument(DateiName, doctype::Assembly);
}

Object clsSolidEdge::liefereSolidEdgePartDokument(const std::wstring& DateiName) {
    // Failure policy: no guard.
    return findOrOpenDocument(DateiName, doctype::Part);
}

Object clsSolidEdge::findOrOpenDocument(const std::wstring& DateiName, int32_t type) {
    clsFileString files(fileSystem_);
    const std::wstring wanted = files.convertNachUNC(Variant(DateiName));
    Object application = liefereSolidEdgeApplication();
    Object documents = application.getObject(app::Documents);
    const int32_t count = documents.get(docs::Count).toLong();
    if (Object open = firstOpenDocument(files, documents, count, wanted, type)) return open;
    openDocument(documents, wanted);
    if (application.get(app::ActiveDocumentType).toLong() != type) return Object();
    // A part is taken from a second open request of the same name, an assembly as the active document.
    if (type == doctype::Part) return Object::from(openDocument(documents, wanted));
    return application.getObject(app::ActiveDocument);
}

void clsSolidEdge::schliesseSolidEdgeApplication() {
    // Failure policy: no guard. The reference itself is kept until the next binding or teardown.
    Object application = liefereSolidEdgeApplication();
    application.call(app::Quit);
    connected_ = false;
    started_ = false;
}

int32_t clsSolidEdge::oeffneDokument(const std::wstring& sDokument) {
    // Failure policy: no guard. The name goes to the application as given, not converted, and
    // setting 18 stays off until teardown.
    Object application = liefereSolidEdgeApplication();
    application.put(app::DisplayAlerts, Variant::boolean(false));
    openDocument(application.getObject(app::Documents), sDokument);
    return 0;
}

std::wstring clsSolidEdge::ermittleDokumentTyp() {
    // Failure policy: neutral result (empty text).
    Object application = liefereSolidEdgeApplication();
    return swallow(std::wstring(), [&] {
        return dokumentTypCode(application.get(app::ActiveDocumentType).toLong());
    });
}

int32_t clsSolidEdge::schliesseDokument(const std::wstring& sDokument) {
    // Failure policy: neutral result (status 0). The active document is closed without saving,
    // whatever sDokument names.
    static_cast<void>(sDokument);
    Object application = liefereSolidEdgeApplication();
    swallow([&] { application.getObject(app::ActiveDocument).call(L"Close", {Variant::boolean(false)}); });
    return 0;
}

bool clsSolidEdge::alteDateiVersion(const std::wstring& LastSavedVersion, int32_t VersionsGenauigkeit) {
    // Failure policy: no guard; an empty, non-numeric, oversized or missing component that the
    // comparison reaches raises to the caller.
    if (LastSavedVersion.empty()) return true;
    const auto fileVersion = splitAtDots(LastSavedVersion);
    Object application = liefereSolidEdgeApplication();
    const auto applicationVersion = splitAtDots(application.get(app::Version).toText());
    // A greater file component does not end the test; only a smaller one decides.
    for (int32_t i = 1; i <= VersionsGenauigkeit; ++i) {
        const int32_t saved = versionComponent(fileVersion, i);
        const int32_t running = versionComponent(applicationVersion, i);
        if (saved < running) return true;
    }
    return false;
}

}  // namespace korvane
