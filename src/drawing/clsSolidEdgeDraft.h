#pragma once
// The drawing object: background sheet exchange from a template and the SAP title-block properties.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "automation/Dispatch.h"
#include "cad/clsSolidEdge.h"
#include "drawing/TextField.h"
#include "properties/clsSEEigenschaften.h"

namespace korvane {

// A background sheet of the drawing that kept its content because the template has no sheet of its size.
struct UnchangedSheet {
    int32_t position = 0;  // 1-based, in the drawing's background sheet collection
    int32_t size = 0;      // the sheet's size value
    friend bool operator==(const UnchangedSheet&, const UnchangedSheet&) = default;
};

class clsSolidEdgeDraft {
public:
    clsSolidEdgeDraft();   // CAD-access object, application reference (taken once), property-access object
    // The same, the CAD access binding through the binder and names compared with the file system.
    clsSolidEdgeDraft(std::shared_ptr<AutomationBinder> binder, std::shared_ptr<FileSystem> fileSystem);
    ~clsSolidEdgeDraft();  // releases them in reverse order
    clsSolidEdgeDraft(const clsSolidEdgeDraft&) = delete;
    clsSolidEdgeDraft& operator=(const clsSolidEdgeDraft&) = delete;

    int32_t ersetzeHintergrundblaetter(const std::wstring& sNeueVorlage);
    // The document active in the CAD application when it is a drafting document, else Nothing.
    Object liefereAktiveZeichnung();
    Object liefereSolidEdgeDraftDokument(const std::wstring& DateiName);
    // The same, also telling whether the file had to be opened for the call: a document the CAD
    // application had open already (under a name that differed only in letter case, too) is the user's.
    Object findOrOpenDraft(const std::wstring& DateiName, bool& openedHere);

    bool anlegenTarvoSchriftfeldProperties(
        const std::wstring& sDrawingDrawDescription, const std::wstring& sDrawingDrawDocumentType,
        const std::wstring& sDrawingDrawDocumentNumber, const std::wstring& sDrawingDrawDocumentPart,
        const std::wstring& sDrawingDrawDocumentVersion, const std::wstring& sDrawingDrawECNumber,
        const std::wstring& sDrawingMaraMatNr, const std::wstring& sDrawingDrawPADatum,
        const std::wstring& sDrawingDrawPAName, const std::wstring& sDrawingDrawK1Datum,
        const std::wstring& sDrawingDrawK1Name, const std::wstring& sDrawingDrawNKDatum,
        const std::wstring& sDrawingDrawNKName, const std::wstring& sDrawingCADWerkstoff,
        const std::wstring& sDrawingCADMassStab, const std::wstring& sDrawingCADZusatzMassStab,
        Object& SEDraftDatei);
    bool schreibeTarvoSchriftfeldProperties(
        TextField& sDrawingDrawDescription, TextField& sDrawingDrawDocumentType,
        TextField& sDrawingDrawDocumentNumber, TextField& sDrawingDrawDocumentPart,
        TextField& sDrawingDrawDocumentVersion, TextField& sDrawingDrawECNumber, TextField& sDrawingMaraMatNr,
        TextField& sDrawingDrawPADatum, TextField& sDrawingDrawPAName, TextField& sDrawingDrawK1Datum,
        TextField& sDrawingDrawK1Name, TextField& sDrawingDrawNKDatum, TextField& sDrawingDrawNKName,
        TextField& sDrawingCADWerkstoff, TextField& sDrawingCADMassStab, TextField& sDrawingCADZusatzMassStab,
        Object& SEDraftDatei);
    bool leseTarvoSchriftfeldProperties(
        TextField& sDrawingDrawDescription, TextField& sDrawingDrawDocumentType,
        TextField& sDrawingDrawDocumentNumber, TextField& sDrawingDrawDocumentPart,
        TextField& sDrawingDrawDocumentVersion, TextField& sDrawingDrawECNumber, TextField& sDrawingMaraMatNr,
        TextField& sDrawingDrawPADatum, TextField& sDrawingDrawPAName, TextField& sDrawingDrawK1Datum,
        TextField& sDrawingDrawK1Name, TextField& sDrawingDrawNKDatum, TextField& sDrawingDrawNKName,
        TextField& sDrawingCADWerkstoff, TextField& sDrawingCADMassStab, TextField& sDrawingCADZusatzMassStab,
        Object& SEDraftDatei);

    // The drawing's background sheets that the last exchange left unchanged (no template sheet of their size).
    const std::vector<UnchangedSheet>& unveraenderteBlaetter() const noexcept { return unchanged_; }
    // How many background sheets the last exchange gave the template's content.
    size_t getauschteBlaetter() const noexcept { return exchanged_; }
    // How many title-block properties the last anlegenTarvoSchriftfeldProperties added (existing ones are kept).
    size_t angelegteEigenschaften() const noexcept { return added_; }

private:
    // A title-block operation given no document works on the active one, and hands it back.
    void takeActiveDocumentIfNone(Object& SEDraftDatei);
    std::wstring propertyOrFallback(const Object& SeDokument, const std::wstring& sPropertySet,
                                    const std::wstring& sPropertyName, const std::wstring& fallbackName);

    // Declared in construction order; destroyed in reverse.
    std::shared_ptr<FileSystem> fileSystem_;
    std::unique_ptr<clsSolidEdge> solidEdge_;
    Object application_;
    std::unique_ptr<clsSEEigenschaften> properties_;
    std::vector<UnchangedSheet> unchanged_;
    size_t exchanged_ = 0;
    size_t added_ = 0;
};

}  // namespace korvane
