#include "app/modMain.h"

#include <exception>
#include <memory>
#include <new>
#include <optional>
#include <string>

#include "automation/AutomationError.h"
#include "automation/Dispatch.h"
#include "drawing/Messages.h"
#include "drawing/Templates.h"
#include "drawing/clsSolidEdgeDraft.h"
#include "files/clsFileString.h"
#include "processes/clsSystem3.h"

namespace korvane {

namespace {

// Fixed settings of the run; the templates and the texts the batch shows too are in src/drawing.
constexpr wchar_t kProzessMuster[] = L"*Edge*";
constexpr wchar_t kCrLf[] = L"\r\n";

constexpr wchar_t kApplicationTitle[] = L"Korvane";
constexpr wchar_t kTitelWarnung[] = L"Warnung";
constexpr wchar_t kTitelAchtung[] = L"Achtung";

// The texts as the users know them, the misspelt "getuascht" included (the shared ones: drawing/Messages.h).
const std::wstring kNichtGeoeffnet =
    std::wstring(L"SolidEdge ist nicht geöffnet!") + kCrLf + L"Hintergrundblätter können nicht getuascht werden";
const std::wstring kBestaetigung =
    std::wstring(L"Beim Tauschen der Hintergrundblätter kann die Zeichnung zerstört werden.") + kCrLf +
    L"evtl. die Datei vorher speichern!" + kCrLf + kCrLf + L"Hintergrundblätter tauschen?";
const std::wstring kKeineZeichnung =
    std::wstring(L"Das aktive Dokument ist keine Zeichnung!") + kCrLf + L"Hintergrundblätter können nicht getauscht werden";

std::wstring unchangedSheetsText(size_t count) {
    if (count == 1) {
        return std::wstring(L"1 Hintergrundblatt wurde nicht getauscht:") + kCrLf +
               L"Die Vorlage hat kein Blatt seiner Größe.";
    }
    return std::to_wstring(count) + L" Hintergrundblätter wurden nicht getauscht:" + kCrLf +
           L"Die Vorlage hat kein Blatt ihrer Größe.";
}

int32_t run(UserInterface& ui, const PlatformServices& services, std::unique_ptr<clsSolidEdgeDraft>& draft) {
    // Steps 1-4: both templates must exist (the second is not tested when the first is missing).
    {
        auto dateien = std::make_unique<clsFileString>(services.fileSystem);
        if (!templatesPresent(*dateien)) {
            ui.messageBox(kVorlageFehlt, mb::Critical, kTitelWarnung);
            return exitcode::TemplateMissing;
        }
    }

    // Steps 5-8: exactly one Solid Edge.
    {
        auto system = std::make_unique<clsSystem3>(services.processTable);
        const int32_t anzahl = system->liefereProzessAnzahl(kProzessMuster);
        if (anzahl == 0) {
            ui.messageBox(kNichtGeoeffnet, mb::Information, kApplicationTitle);
            return exitcode::SolidEdgeNotRunning;
        }
        if (anzahl > 1) {
            ui.messageBox(kMehrfachGestartet, mb::Information, kApplicationTitle);
            return exitcode::SolidEdgeRunningTwice;
        }
    }

    // Step 9: the dialog object stays with the user interface until the end of the process.
    const std::wstring vorlage = templateFile(ui.chooseTemplate());

    // Step 10.
    if (ui.messageBox(kBestaetigung, mb::InformationOkCancel, kTitelAchtung) == mb::AnswerCancel) {
        return exitcode::Cancelled;
    }

    // Steps 11-13.
    draft = std::make_unique<clsSolidEdgeDraft>(services.binder, services.fileSystem);
    bool schriftfeldAngelegt = false;
    {
        // Title-block properties belong to drawings only: a part or assembly that is active must not
        // be given sixteen stray drawing properties that the designer might save with it. The check
        // needs the CAD connection, which the user agrees to with the confirmation, so it comes after it.
        // The reference is let go in this block, before the exchange and the teardown.
        Object aktiveZeichnung = draft->liefereAktiveZeichnung();
        if (aktiveZeichnung.isNothing()) {
            // The teardown gives the CAD application its settings back before the box is read.
            draft.reset();
            ui.messageBox(kKeineZeichnung, mb::Information, kApplicationTitle);
            return exitcode::NotADrawing;
        }
        schriftfeldAngelegt = draft->anlegenTarvoSchriftfeldProperties(
            L"-", L"-", L"-", L"-", L"-", L"-", L"-", L"-", L"-", L"-", L"-", L"-", L"-", L"-", L"-", L"-",
            aktiveZeichnung);
    }
    if (!schriftfeldAngelegt) ui.messageBox(kSchriftfeldFehlt, mb::Information, kTitelAchtung);
    draft->ersetzeHintergrundblaetter(vorlage);  // status not examined
    const size_t unveraendert = draft->unveraenderteBlaetter().size();

    // Step 14: the teardown gives the CAD application its settings back before the notice is read.
    draft.reset();
    if (unveraendert > 0) ui.messageBox(unchangedSheetsText(unveraendert), mb::Information, kTitelAchtung);
    return exitcode::Done;
}

}  // namespace

int32_t Main(UserInterface& ui, const PlatformServices& services) {
    // No guard over the steps: an error raised by a callee ends the run here. A run that ends by
    // itself returns from inside the try, so only an error comes past it.
    std::unique_ptr<clsSolidEdgeDraft> draft;
    std::optional<AutomationError> error;
    try {
        return run(ui, services, draft);
    } catch (const AutomationError& e) {
        error = e;
    } catch (const std::bad_alloc&) {
        // Out of memory deserves the same box and the same settings restore, not a crash report.
        error.emplace(rt::OutOfMemory, runtimeDescription(rt::OutOfMemory));
    } catch (const std::exception&) {
        error.emplace(rt::InternalError, runtimeDescription(rt::InternalError));
    }
    ui.messageBox(errorReport(*error), mb::Critical, kApplicationTitle);
    // Its teardown puts the CAD application's settings back (and leaves a Solid Edge that was
    // already running alone).
    draft.reset();
    return exitcode::Error;
}

}  // namespace korvane
