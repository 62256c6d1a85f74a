#include "drawing/clsSolidEdgeDraft.h"

#include <cstddef>
#include <optional>
#include <utility>

#include "automation/AutomationBinder.h"
#include "automation/AutomationError.h"
#include "automation/ErrorPolicy.h"
#include "cad/DocumentName.h"
#include "cad/MemberIds.h"
#include "drawing/BackgroundSheets.h"
#include "drawing/ScreenUpdatingRestore.h"
#include "drawing/SheetPairing.h"
#include "drawing/TitleBlockRow.h"
#include "files/clsFileString.h"

namespace korvane {

namespace {

namespace app = member::application;
namespace docs = member::documents;
namespace draft = member::draft;
namespace sheets = member::sheets;
namespace props = member::properties;
namespace cmd = member::command;

void sendCommand(const Object& application, int32_t command) {
    application.call(app::StartCommand, {Variant::i4(command)});
}

// Empties the selection of the window that is current right now and selects everything on its
// current sheet. The copy half takes the selection anew for "AddAll", the paste half reuses it.
void selectAllOnCurrentSheet(const Object& application, bool selectionTakenAgain) {
    Object window = application.getObject(app::ActiveWindow);
    Object selection = window.getObject(L"SelectSet");
    selection.call(L"RemoveAll");
    if (selectionTakenAgain) selection = window.getObject(L"SelectSet");
    selection.call(L"AddAll");
}

// Whether the set holds the property. Only a property object that carries the wanted name counts: a
// look-up that answers with nothing or with another property, rather than failing, must not make the
// row look present, or the drawing would silently go without it.
bool hasProperty(const Object& set, const std::wstring& name) {
    return swallow(false, [&] {
        const Variant found = set.call(props::SetItem, {Variant(name)});
        if (!found.isObject() || found.isNothing()) return false;
        return Object::from(found).get(L"Name").toText() == name;
    });
}

}  // namespace

clsSolidEdgeDraft::clsSolidEdgeDraft() : clsSolidEdgeDraft(defaultAutomationBinder(), defaultFileSystem()) {}

clsSolidEdgeDraft::clsSolidEdgeDraft(std::shared_ptr<AutomationBinder> binder, std::shared_ptr<FileSystem> fileSystem)
    : fileSystem_(fileSystem),
      solidEdge_(std::make_unique<clsSolidEdge>(std::move(binder), std::move(fileSystem))),
      application_(solidEdge_->liefereSolidEdgeApplication()),
      properties_(std::make_unique<clsSEEigenschaften>()) {}

clsSolidEdgeDraft::~clsSolidEdgeDraft() {
    properties_.reset();
    application_.reset();
    solidEdge_.reset();
}

int32_t clsSolidEdgeDraft::ersetzeHintergrundblaetter(const std::wstring& sNeueVorlage) {
    // No guard: every failure ends the exchange and reaches the caller, but screen updating is
    // switched back on before it travels on.
    ScreenUpdatingRestore restoreOnError(application_);
    unchanged_.clear();
    exchanged_ = 0;

    application_.put(app::ScreenUpdating, Variant::boolean(false));
    application_.call(app::DoIdle);

    if (application_.get(app::ActiveDocumentType).toLong() == doctype::Draft) {
        Object drawing = application_.getObject(app::ActiveDocument);
        bool templateOpenedHere = false;
        Object templateDocument = findOrOpenDraft(sNeueVorlage, templateOpenedHere);

        const std::vector<Variant> drawingSheets = backgroundSheets(drawing);
        for (size_t index = 0; index < drawingSheets.size(); ++index) {
            const Object sheet = Object::from(drawingSheets[index]);
            const int32_t size = sheetSize(sheet);

            const std::vector<Variant> templateSheets = backgroundSheets(templateDocument);
            const std::optional<size_t> partnerAt = partnerSheet(size, templateSheets.size(), [&](size_t position) {
                return sheetSize(Object::from(templateSheets[position]));
            });
            if (!partnerAt) {
                // Pasting without a fresh copy would delete the sheet's frame and paste whatever the
                // clipboard held before, so the sheet keeps its content.
                unchanged_.push_back({static_cast<int32_t>(index + 1), size});
                continue;
            }
            const Object partner = Object::from(templateSheets[*partnerAt]);

            templateDocument.call(draft::Activate);
            sendCommand(application_, cmd::ShowBackgroundSheets);
            partner.call(sheets::Activate);
            selectAllOnCurrentSheet(application_, true);
            sendCommand(application_, cmd::Copy);

            drawing.call(draft::Activate);
            sendCommand(application_, cmd::ShowBackgroundSheets);
            sheet.call(sheets::Activate);
            selectAllOnCurrentSheet(application_, false);
            sendCommand(application_, cmd::Delete);
            sendCommand(application_, cmd::Paste);
            ++exchanged_;
        }

        // A template the user had open already may hold unsaved work of theirs: it stays open.
        if (templateOpenedHere) templateDocument.call(draft::Close, {Variant::boolean(false)});
        drawing.call(draft::Activate);
        sendCommand(application_, cmd::ShowWorkingSheets);
    }

    application_.put(app::ScreenUpdating, Variant::boolean(true));
    return 0;
}

Object clsSolidEdgeDraft::liefereAktiveZeichnung() {
    // No guard: a CAD application that cannot say what is active is an error, not "no drawing".
    if (application_.get(app::ActiveDocumentType).toLong() != doctype::Draft) return Object();
    return application_.getObject(app::ActiveDocument);
}

Object clsSolidEdgeDraft::liefereSolidEdgeDraftDokument(const std::wstring& DateiName) {
    bool openedHere = false;
    return findOrOpenDraft(DateiName, openedHere);
}

Object clsSolidEdgeDraft::findOrOpenDraft(const std::wstring& DateiName, bool& openedHere) {
    // No guard: a failing CAD call or a name that cannot be converted reaches the caller.
    openedHere = false;
    clsFileString files(fileSystem_);
    std::wstring wanted = files.convertNachUNC(Variant(DateiName));

    Object application = solidEdge_->liefereSolidEdgeApplication();
    Object documents = application.getObject(app::Documents);
    const int32_t count = documents.get(docs::Count).toLong();
    Object result = firstOpenDocument(files, documents, count, wanted, doctype::Draft);
    if (result.isNothing()) {
        openDocument(documents, wanted);
        // The CAD application may hand back a document it already had open (the name differed only in
        // letter case): that one is the user's, so only a grown collection means the file was opened here.
        openedHere = documents.get(docs::Count).toLong() > count;
        if (application.get(app::ActiveDocumentType).toLong() == doctype::Draft) {
            result = application.getObject(app::ActiveDocument);
        } else {
            solidEdge_->schlieseSolidEdgeDokument(wanted);
        }
    }
    return result;
}

bool clsSolidEdgeDraft::anlegenTarvoSchriftfeldProperties(
    const std::wstring& sDrawingDrawDescription, const std::wstring& sDrawingDrawDocumentType,
    const std::wstring& sDrawingDrawDocumentNumber, const std::wstring& sDrawingDrawDocumentPart,
    const std::wstring& sDrawingDrawDocumentVersion, const std::wstring& sDrawingDrawECNumber,
    const std::wstring& sDrawingMaraMatNr, const std::wstring& sDrawingDrawPADatum,
    const std::wstring& sDrawingDrawPAName, const std::wstring& sDrawingDrawK1Datum,
    const std::wstring& sDrawingDrawK1Name, const std::wstring& sDrawingDrawNKDatum,
    const std::wstring& sDrawingDrawNKName, const std::wstring& sDrawingCADWerkstoff,
    const std::wstring& sDrawingCADMassStab, const std::wstring& sDrawingCADZusatzMassStab, Object& SEDraftDatei) {
    // Record and skip: a refused addition does not stop the other rows; any failure makes it False.
    ErrorRecord record;
    const auto values = inRowOrder(
        sDrawingDrawDescription, sDrawingDrawDocumentType, sDrawingDrawDocumentNumber, sDrawingDrawDocumentPart,
        sDrawingDrawDocumentVersion, sDrawingDrawECNumber, sDrawingMaraMatNr, sDrawingDrawPADatum, sDrawingDrawPAName,
        sDrawingDrawK1Datum, sDrawingDrawK1Name, sDrawingDrawNKDatum, sDrawingDrawNKName, sDrawingCADWerkstoff,
        sDrawingCADMassStab, sDrawingCADZusatzMassStab);

    added_ = 0;
    record.attempt([&] { takeActiveDocumentIfNone(SEDraftDatei); });
    Object custom;
    record.attempt([&] {
        custom = SEDraftDatei.getObject(draft::PropertySets)
                     .callObject(props::SetsItem, {Variant(std::wstring(kTitleBlockSet))});
    });
    if (record.failed()) return false;

    for (size_t row = 0; row < kTitleBlockRows.size(); ++row) {
        const std::wstring name(kTitleBlockRows[row].name);
        // A drawing prepared by an earlier run keeps its values; adding again would be refused.
        if (hasProperty(custom, name)) continue;
        record.attempt([&] {
            custom.call(props::SetAdd, {Variant(name), Variant(*values[row])});
            ++added_;
        });
    }
    record.attempt([&] { custom.call(props::SetSave); });
    return !record.failed();
}

bool clsSolidEdgeDraft::schreibeTarvoSchriftfeldProperties(
    TextField& sDrawingDrawDescription, TextField& sDrawingDrawDocumentType, TextField& sDrawingDrawDocumentNumber,
    TextField& sDrawingDrawDocumentPart, TextField& sDrawingDrawDocumentVersion, TextField& sDrawingDrawECNumber,
    TextField& sDrawingMaraMatNr, TextField& sDrawingDrawPADatum, TextField& sDrawingDrawPAName,
    TextField& sDrawingDrawK1Datum, TextField& sDrawingDrawK1Name, TextField& sDrawingDrawNKDatum,
    TextField& sDrawingDrawNKName, TextField& sDrawingCADWerkstoff, TextField& sDrawingCADMassStab,
    TextField& sDrawingCADZusatzMassStab, Object& SEDraftDatei) {
    // Record and skip for finding the document and the writes; the closing title-block update
    // is unguarded and its failure reaches the caller.
    ErrorRecord record;
    const auto fields = inRowOrder(
        sDrawingDrawDescription, sDrawingDrawDocumentType, sDrawingDrawDocumentNumber, sDrawingDrawDocumentPart,
        sDrawingDrawDocumentVersion, sDrawingDrawECNumber, sDrawingMaraMatNr, sDrawingDrawPADatum, sDrawingDrawPAName,
        sDrawingDrawK1Datum, sDrawingDrawK1Name, sDrawingDrawNKDatum, sDrawingDrawNKName, sDrawingCADWerkstoff,
        sDrawingCADMassStab, sDrawingCADZusatzMassStab);

    // Only the empty text means "no value"; blanks are a value the user typed.
    for (TextField* field : fields) {
        if (field->text().empty()) field->setText(std::wstring(kNoValue));
    }

    record.attempt([&] { takeActiveDocumentIfNone(SEDraftDatei); });
    const std::wstring propertySet(kTitleBlockSet);
    for (size_t row = 0; row < kTitleBlockRows.size(); ++row) {
        record.attempt([&] {
            properties_->schreibePropertie(SEDraftDatei, propertySet, std::wstring(kTitleBlockRows[row].name),
                                           fields[row]->text());
        });
    }
    for (size_t row = 0; row < kTitleBlockRows.size(); ++row) {
        if (kTitleBlockRows[row].fallbackName.empty()) continue;
        record.attempt([&] {
            properties_->schreibePropertie(SEDraftDatei, propertySet,
                                           std::wstring(kTitleBlockRows[row].fallbackName), fields[row]->text());
        });
    }

    // A call through no document raises here, so reaching the end means there was a document.
    SEDraftDatei.call(draft::UpdateTitleBlock);
    return !record.failed();
}

bool clsSolidEdgeDraft::leseTarvoSchriftfeldProperties(
    TextField& sDrawingDrawDescription, TextField& sDrawingDrawDocumentType, TextField& sDrawingDrawDocumentNumber,
    TextField& sDrawingDrawDocumentPart, TextField& sDrawingDrawDocumentVersion, TextField& sDrawingDrawECNumber,
    TextField& sDrawingMaraMatNr, TextField& sDrawingDrawPADatum, TextField& sDrawingDrawPAName,
    TextField& sDrawingDrawK1Datum, TextField& sDrawingDrawK1Name, TextField& sDrawingDrawNKDatum,
    TextField& sDrawingDrawNKName, TextField& sDrawingCADWerkstoff, TextField& sDrawingCADMassStab,
    TextField& sDrawingCADZusatzMassStab, Object& SEDraftDatei) {
    // Record and skip: a property that cannot be read leaves its field empty; nothing reaches the caller.
    ErrorRecord record;
    const auto fields = inRowOrder(
        sDrawingDrawDescription, sDrawingDrawDocumentType, sDrawingDrawDocumentNumber, sDrawingDrawDocumentPart,
        sDrawingDrawDocumentVersion, sDrawingDrawECNumber, sDrawingMaraMatNr, sDrawingDrawPADatum, sDrawingDrawPAName,
        sDrawingDrawK1Datum, sDrawingDrawK1Name, sDrawingDrawNKDatum, sDrawingDrawNKName, sDrawingCADWerkstoff,
        sDrawingCADMassStab, sDrawingCADZusatzMassStab);

    record.attempt([&] { takeActiveDocumentIfNone(SEDraftDatei); });
    const std::wstring propertySet(kTitleBlockSet);
    for (size_t row = 0; row < kTitleBlockRows.size(); ++row) {
        record.attempt([&] {
            const std::wstring name(kTitleBlockRows[row].name);
            const std::wstring fallback(kTitleBlockRows[row].fallbackName);
            fields[row]->setText(fallback.empty() ? properties_->lieferePropertie(SEDraftDatei, propertySet, name)
                                                  : propertyOrFallback(SEDraftDatei, propertySet, name, fallback));
        });
    }
    return !record.failed() && !SEDraftDatei.isNothing();
}

void clsSolidEdgeDraft::takeActiveDocumentIfNone(Object& SEDraftDatei) {
    // No guard: the callers record the failure. The caller's variable refers to the document afterwards.
    if (SEDraftDatei.isNothing()) SEDraftDatei = application_.getObject(app::ActiveDocument);
}

std::wstring clsSolidEdgeDraft::propertyOrFallback(const Object& SeDokument, const std::wstring& sPropertySet,
                                                   const std::wstring& sPropertyName,
                                                   const std::wstring& fallbackName) {
    std::wstring value = properties_->lieferePropertie(SeDokument, sPropertySet, sPropertyName);
    if (value.empty() || value == kNoValue) {
        value = properties_->lieferePropertie(SeDokument, sPropertySet, fallbackName);
    }
    return value;
}

}  // namespace korvane
