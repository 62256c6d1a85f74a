#include "batch/DrawingJob.h"

#include <chrono>

#include "automation/AutomationError.h"
#include "automation/ErrorPolicy.h"
#include "batch/SheetPlan.h"
#include "cad/DocumentName.h"
#include "cad/MemberIds.h"
#include "drawing/Messages.h"

namespace korvane {

namespace {

namespace docs = member::documents;

// Failures of the batch's own steps, in the runtime's numbering where one fits.
constexpr int32_t kBackupFailed = rt::PathFileAccessError;

// Ends the drawing's work with a result that is no failure of a CAD call.
struct Leave {
    Outcome outcome;
    std::wstring why;
};

}  // namespace

DrawingJob::DrawingJob(CadConnection& cad, clsFileString& files, BatchFiles& contents, Settings settings)
    : cad_(cad), files_(files), contents_(contents), settings_(std::move(settings)) {}

std::wstring DrawingJob::reasonToLeaveAlone(const WorkItem& item) {
    // Asked right before the backup: a drawing someone opened since the batch started is theirs too.
    if (cad_.isOpenInCad(item.path)) return L"in Solid Edge geöffnet";
    if (contents_.isReadOnly(item.path)) return L"schreibgeschützt";
    if (contents_.isLocked(item.path)) return L"von einem anderen Programm gesperrt";
    return L"";
}

void DrawingJob::makeBackup(const WorkItem& item, const std::wstring& backup, DrawingResult& result) {
    const Stopwatch::Span io(settings_.backupIo);
    const auto original = contents_.readBytes(item.path);
    if (!original) throw AutomationError(rt::PermissionDenied, L"Die Zeichnung kann nicht gelesen werden.");
    // The copy is made under a name of its own and takes the backup's name only once it is known to
    // hold the drawing's bytes: a kill during the copy leaves no partial backup where one is expected.
    // A temporary copy a killed run left behind is discarded.
    std::wstring temporary = backup + L".korvane-tmp";
    if (files_.existiertDatei(temporary)) files_.loescheDatei(temporary);
    // A backup is never overwritten: it may be the only good copy of an earlier state. One that holds
    // exactly the drawing's bytes already (a resumed run's drawing, put back from it) serves as it is.
    if (files_.existiertDatei(backup)) {
        const auto existing = contents_.readBytes(backup);
        if (!existing || *existing != *original)
            throw AutomationError(rt::FileAlreadyExists, L"Die Sicherung " + backup + L" existiert schon.");
    } else {
        const int32_t status = files_.kopiereDatei(item.path, temporary);
        if (status != 0) throw AutomationError(status, L"Die Sicherung nach " + backup + L" ist fehlgeschlagen.");
        const auto copy = contents_.readBytes(temporary);
        if (!copy || *original != *copy) {
            files_.loescheDatei(temporary);
            throw AutomationError(kBackupFailed, L"Die Sicherung " + backup + L" gleicht dem Original nicht.");
        }
        const int32_t renamed = files_.benenneUm(temporary, backup);
        if (renamed != 0) throw AutomationError(renamed, L"Die Sicherung nach " + backup + L" ist fehlgeschlagen.");
    }
    result.backup = backup;
}

void DrawingJob::undo(DrawingResult& result) {
    // Whatever the steps had done is undone: the row must not claim it.
    result.outcome = Outcome::Failed;
    result.propertiesAdded = 0;
    result.exchanged.clear();
    result.withoutPartner.clear();
    if (result.backup.empty()) return;
    const std::wstring restore = restoreIfChanged(result.path, result.backup);
    result.errorText += L" (" + (restore.empty() ? std::wstring(L"Zeichnung unverändert") : restore) + L")";
}

std::wstring DrawingJob::restoreIfChanged(const std::wstring& path, const std::wstring& backup) {
    const Stopwatch::Span io(settings_.backupIo);
    const auto saved = contents_.readBytes(backup);
    if (!saved) return L"Sicherung nicht lesbar, Zeichnung nicht wiederhergestellt";
    // Deleted or renamed by someone since the backup: making it again would bring back what they removed,
    // or leave the drawing twice.
    if (!files_.existiertDatei(path)) return kVanished;
    const auto now = contents_.readBytes(path);
    if (now && *now == *saved) return L"";
    try {
        contents_.replaceBytes(path, *saved);
    } catch (const AutomationError&) {
        return L"Wiederherstellen aus der Sicherung fehlgeschlagen";
    }
    const auto restored = contents_.readBytes(path);
    if (!restored || *restored != *saved) return L"Wiederherstellen aus der Sicherung fehlgeschlagen";
    return kRestored;
}

void DrawingJob::work(const std::wstring& uncName, DrawingResult& result) {
    clsSolidEdgeDraft& draft = cad_.draft();
    Object documents = cad_.application().getObject(member::application::Documents);
    const int32_t before = documents.get(docs::Count).toLong();
    Object document = Object::from(openDocument(documents, uncName));
    // The application hands back a document it had open already: someone opened it since the batch
    // started, so it is theirs and stays as it is.
    if (documents.get(docs::Count).toLong() <= before) throw Leave{Outcome::Skipped, L"in Solid Edge geöffnet"};
    cad_.noteDrawingOpened();

    bool open = true;
    try {
        const int32_t type = document.get(L"Type").toLong();
        if (type != doctype::Draft) {
            std::wstring code = clsSolidEdge::dokumentTypCode(type);
            throw Leave{Outcome::Skipped, L"keine Zeichnung (Dokumenttyp " + (code.empty() ? std::to_wstring(type) : code) + L")"};
        }
        if (settings_.probe) {
            const PairingText pairing = describePairing(backgroundSheetsOf(document), cad_.templateSheets());
            result.exchanged = pairing.pairs;
            result.withoutPartner = pairing.withoutPartner;
            result.outcome = Outcome::Probed;
        } else {
            if (settings_.stopRequested()) throw Leave{Outcome::Cancelled, L"abgebrochen"};
            Object drawing = document;
            if (!draft.anlegenTarvoSchriftfeldProperties(L"-", L"-", L"-", L"-", L"-", L"-", L"-", L"-", L"-", L"-",
                                                         L"-", L"-", L"-", L"-", L"-", L"-", drawing)) {
                throw AutomationError(rt::AutomationFailure, kSchriftfeldFehlt);
            }
            result.propertiesAdded = static_cast<int32_t>(draft.angelegteEigenschaften());
            draft.ersetzeHintergrundblaetter(cad_.templatePath());
            result.exchanged = std::to_wstring(draft.getauschteBlaetter());
            if (!draft.unveraenderteBlaetter().empty()) {
                result.withoutPartner = sheetList(sheetsAt(backgroundSheetsOf(document), draft.unveraenderteBlaetter()));
            }
            result.outcome = draft.unveraenderteBlaetter().empty() ? Outcome::Exchanged : Outcome::PartlyExchanged;
            document.call(L"Save");
        }
        document.call(member::draft::Close, {Variant::boolean(false)});
        open = false;
    } catch (...) {
        // Also after a close that failed: left open, the document would show the user content its file
        // no longer has once the drawing is put back from its backup.
        if (open) swallow([&] { document.call(member::draft::Close, {Variant::boolean(false)}); });
        throw;
    }
}

DrawingResult DrawingJob::run(const WorkItem& item, const std::wstring& backup) {
    const auto started = std::chrono::steady_clock::now();
    DrawingResult result;
    result.path = item.path;
    try {
        if (!files_.existiertDatei(item.path)) throw AutomationError(rt::FileNotFound, runtimeDescription(rt::FileNotFound));
        const std::wstring reason = reasonToLeaveAlone(item);
        if (!reason.empty()) throw Leave{Outcome::Skipped, reason};
        if (!settings_.probe) {
            makeBackup(item, backup, result);
            DrawingResult pending = result;
            pending.outcome = Outcome::InProgress;
            settings_.started(pending);
        }
        work(item.path, result);
    } catch (const Leave& leave) {
        result.outcome = leave.outcome;
        result.errorText = leave.why;
    } catch (const AutomationError& e) {
        result.outcome = Outcome::Failed;
        result.errorNumber = e.number();
        result.errorText = e.description();
    } catch (const std::exception&) {
        result.outcome = Outcome::Failed;
        result.errorNumber = rt::InternalError;
        result.errorText = runtimeDescription(rt::InternalError);
    }
    if (result.outcome == Outcome::Failed) undo(result);
    result.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    return result;
}

}  // namespace korvane
