#include "batch/BatchRun.h"

#include <chrono>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <vector>

#include "automation/AutomationError.h"
#include "automation/TextConvert.h"
#include "batch/BackupFolder.h"
#include "batch/CadSupervision.h"
#include "batch/DrawingJob.h"
#include "batch/Progress.h"
#include "batch/ReportCsv.h"
#include "batch/ReportMerge.h"
#include "batch/RunRecord.h"
#include "batch/WorkList.h"
#include "drawing/Messages.h"
#include "drawing/Templates.h"
#include "files/PathIdentity.h"
#include "files/PathText.h"
#include "files/clsFileString.h"
#include "processes/clsSystem3.h"

namespace korvane {

namespace {

using Clock = std::chrono::steady_clock;

std::chrono::milliseconds since(Clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start);
}

// Trivial calls the trace times at the start and at the end of a run, and between two drawings, for the
// round trip of one call: a machine whose load changes during the run changes the round trip too.
constexpr int kRoundTripProbe = 200;
constexpr int kRoundTripBetween = 20;

constexpr wchar_t kAnotherBatch[] =
    L"Ein anderer korvane-stapel arbeitet gerade mit Solid Edge. Es kann nur einer zur Zeit laufen: "
    L"bitte warten, bis er fertig ist.";

class Batch {
public:
    Batch(const BatchOptions& options, BatchEnvironment& environment)
        : options_(options),
          env_(environment),
          console_(environment.console),
          files_(environment.services.fileSystem),
          identity_(environment.services.fileSystem) {}

    int32_t run() {
        // Everything that can stop the run is checked before anything is written or opened.
        const std::optional<std::wstring> vorlage = checkTemplates();
        if (!vorlage) return batchexit::CouldNotStart;
        if (clsSystem3(env_.services.processTable).liefereProzessAnzahl(kCadProcessPattern) > 1) {
            console_.line(kMehrfachGestartet);
            return batchexit::CouldNotStart;
        }
        // The report's own lock first: a second run of the same part is told that, not that some
        // batch has Solid Edge.
        if (!holdReport()) return batchexit::CouldNotStart;
        if (!env_.claimCadApplication()) {
            console_.line(kAnotherBatch);
            return batchexit::CouldNotStart;
        }
        if (!settleReport()) return batchexit::CouldNotStart;
        WorkPlan plan;
        try {
            plan = planWork(options_, files_, env_.contents, identity_,
                            Excluded{backupFolder_.empty() ? L"" : identity_.keyOf(backupFolder_), identity_.keyOf(reportFile_)});
        } catch (const AutomationError& e) {
            // A folder in a backup folder says so itself; anything else is a folder or list that is not there.
            console_.line(e.number() == rt::PathFileAccessError ? e.description()
                                                                : L"Ordner oder Liste nicht gefunden: " + e.description());
            return batchexit::CouldNotStart;
        }
        if (!options_.part.whole()) {
            const size_t entries = plan.items.size() + plan.rejected.size();
            keepPart(plan, options_.part, identity_);
            console_.line(options_.part.name() + L": " + std::to_wstring(plan.items.size() + plan.rejected.size()) + L" von " +
                          std::to_wstring(entries) + L" Zeichnungen und Listeneinträgen; die übrigen gehören zu den anderen Teilen.");
        }
        record_ = recordOf(plan, *vorlage);
        if (earlier_ && !sameWork(earlier_->run, record_)) return batchexit::CouldNotStart;
        if (!backupFolderFits(plan)) return batchexit::CouldNotStart;
        if (!options_.probe) {
            try {
                markBackupFolder(files_, env_.contents, backupFolder_);
            } catch (const AutomationError& e) {
                console_.line(L"Der Sicherungsordner " + backupFolder_ + L" kann nicht angelegt werden:\r\n" + errorReport(e));
                return batchexit::CouldNotStart;
            }
        }

        const bool resumable = !options_.probe;
        CadSupervision::Settings settings{options_.timeLimit, reportFile_, env_.endProcess, options_.restartEvery};
        CadSupervision& supervision = supervision_.emplace(*vorlage, console_, env_.services, settings);
        try {
            supervision.connect(leftovers(), earlier_.has_value());
        } catch (const AutomationError& e) {
            const std::wstring reason = supervision.endedInstanceReason();
            console_.line(L"Solid Edge oder die Vorlage steht nicht zur Verfügung:\r\n" +
                          (reason.empty() ? L"" : reason + L"\r\n") + errorReport(e));
            return batchexit::CouldNotStart;
        }
        record_.templateOpenedByBatch = supervision.cad().templateOpenedHere();
        record_.activeDocument = supervision.cad().activeDocumentBefore();
        record_.alerts = supervision.cad().alertsFound();
        if (!startReport()) return batchexit::CouldNotStart;
        for (const DrawingResult& r : plan.rejected) record(r, rowKey(identity_, r.path));

        const std::vector<std::wstring> rowKeys = matchEarlierRows(plan);
        closeLeftInProgress(supervision.cad(), rowKeys);
        probeRoundTrip(supervision, "start", kRoundTripProbe);
        const bool interrupted = work(supervision, plan, rowKeys, resumable);
        probeRoundTrip(supervision, "end", kRoundTripProbe);
        finishReport();
        console_.line(summaryText(rows_, since(started_), options_.probe, interrupted, plan.repeats) + L"Bericht: " +
                      reportFile_ + (backupFolder_.empty() ? L"" : L"\r\nSicherung: " + backupFolder_));
        if (interrupted) return batchexit::Interrupted;
        for (const DrawingResult& r : rows_) {
            if (r.outcome != Outcome::Exchanged && r.outcome != Outcome::PartlyExchanged && r.outcome != Outcome::Probed)
                return batchexit::SomeNotDone;
        }
        return batchexit::AllDone;
    }

private:
    // Both templates of korvane.exe's folder must be there, as korvane.exe checks them; another
    // template file named by the administrator must be there itself.
    std::optional<std::wstring> checkTemplates() {
        const std::wstring choice = templateFileOf(options_.templateChoice);
        const bool named = choice != options_.templateChoice;
        const bool present = named ? templatesPresent(files_) : files_.existiertDatei(choice);
        if (!present) {
            console_.line(kVorlageFehlt);
            return std::nullopt;
        }
        return choice;
    }

    // The report of a new run must not exist: whatever file has that name is somebody's. A resumed run
    // takes only a report of this program, and continues in the backup folder it names.
    bool settleReport() {
        if (!options_.resume) {
            if (files_.existiertDatei(reportFile_) || files_.existiertVerzeichnis(reportFile_)) {
                console_.line(L"Den Bericht " + reportFile_ +
                              L" gibt es schon; er wird nicht überschrieben.\r\nEinen abgebrochenen Lauf setzt "
                              L"/fortsetzen mit diesem Bericht fort, sonst bitte mit /bericht einen neuen Namen angeben.");
                return false;
            }
            if (!options_.probe) {
                const std::wstring folder = options_.backupFolder.empty()
                                                ? joinPath(files_.ermittleVerzeichnis(reportFile_), L"Sicherung " + env_.runStamp)
                                                : options_.backupFolder;
                backupFolder_ = identity_.of(folder).path;
            }
            return true;
        }
        const auto bytes = env_.contents.readBytes(reportFile_);
        if (!bytes) {
            console_.line(L"Der Bericht " + reportFile_ + L" kann nicht gelesen werden.");
            return false;
        }
        earlier_ = readReport(*bytes);
        if (!earlier_ || earlier_->run.probe || earlier_->run.backupFolder.empty()) {
            console_.line(L"Die Datei " + reportFile_ + L" ist kein Bericht eines abgebrochenen Laufs von korvane-stapel;"
                          L" sie bleibt, wie sie ist.\r\n/fortsetzen braucht den Bericht, den der abgebrochene Lauf geschrieben hat.");
            earlier_.reset();
            return false;
        }
        if (earlier_->run.part != options_.part) {
            const auto partOfRun = [](const WorkPart& part) {
                return part.whole() ? std::wstring(L"einem Lauf über alle Zeichnungen (ohne /teil)") : part.name() + L" (/teil:" + part.text() + L")";
            };
            console_.line(L"Der Bericht " + reportFile_ + L" gehört zu " + partOfRun(earlier_->run.part) + L", nicht zu " +
                          partOfRun(options_.part) + L"; er bleibt, wie er ist.\r\n/fortsetzen braucht denselben Teil wie "
                          L"der abgebrochene Lauf.");
            earlier_.reset();
            return false;
        }
        backupFolder_ = earlier_->run.backupFolder;
        if (!options_.backupFolder.empty() &&
            identity_.of(options_.backupFolder).key != identity_.of(backupFolder_).key) {
            console_.line(L"Der Bericht " + reportFile_ + L" nennt den Sicherungsordner " + backupFolder_ +
                          L", nicht " + options_.backupFolder + L".\r\nDer fortgesetzte Lauf sichert dorthin, wo der "
                          L"abgebrochene gesichert hat: /sicherung weglassen oder gleich angeben.");
            return false;
        }
        return true;
    }

    // Names the report and takes its lock. Held by another process: a run of the same part (or with the
    // same report) is at work, here or on another workstation on the share.
    bool holdReport() {
        const std::wstring given = options_.reportFile.empty() ? defaultReportName(options_.part, env_.runStamp) : options_.reportFile;
        reportFile_ = identity_.of(given).path;
        if (reportFile_.empty()) reportFile_ = given;
        // A report folder that is not there yet holds no other run's report; the lock is taken once
        // the run has made the folder, as it starts its report.
        if (!files_.existiertVerzeichnis(files_.ermittleVerzeichnis(reportFile_))) return true;
        return takeReportLock();
    }

    bool takeReportLock() {
        const std::wstring lock = reportLockOf(reportFile_);
        try {
            reportLock_ = env_.contents.hold(lock);
        } catch (const AutomationError& e) {
            if (e.number() == rt::FileAlreadyExists)
                console_.line(L"Die Datei " + lock + L" gibt es schon, aber kein Lauf hält sie (etwa nach einem Absturz des "
                              L"Rechners); sie bleibt, wie sie ist.\r\nWenn kein korvane-stapel mit dem Bericht " + reportFile_ +
                              L" arbeitet, die Datei löschen und den Lauf neu starten.");
            else
                console_.line(L"Der Bericht " + reportFile_ + L" kann nicht geschrieben werden (Sperrdatei " + lock + L"):\r\n" +
                              errorReport(e));
            return false;
        }
        if (reportLock_) return true;
        console_.line(L"Ein anderer korvane-stapel schreibt gerade den Bericht " + reportFile_ +
                      (options_.part.whole() ? std::wstring() : L" (" + options_.part.name() + L")") +
                      L", auf diesem oder einem anderen Rechner. Derselbe Teil kann nur einmal zur Zeit laufen; "
                      L"nichts wurde geändert.");
        return false;
    }

    RunRecord recordOf(const WorkPlan& plan, const std::wstring& vorlage) {
        RunRecord r;
        r.folders = plan.folders;
        r.subfolders = options_.subfolders;
        r.listFile = plan.listFile;
        const FileName templateName = identity_.of(vorlage);
        r.templatePath = templateName.path.empty() ? vorlage : templateName.path;
        r.probe = options_.probe;
        r.backupFolder = backupFolder_;
        r.part = options_.part;
        return r;
    }

    // The same folders (in any order and spelling), list, template and subfolder choice.
    bool sameWork(const RunRecord& before, const RunRecord& now) {
        const std::wstring differs = otherWork(before, now, identity_);
        if (differs.empty()) return true;
        console_.line(L"Der Bericht " + reportFile_ + L" gehört zu einem anderen Lauf (" + differs +
                      L"); er bleibt, wie er ist.\r\n/fortsetzen braucht dieselben Ordner, Liste und Vorlage wie "
                      L"der abgebrochene Lauf.");
        return false;
    }

    // The backup folder must be none of the folders worked on, hold none of them, and put no backup on
    // a drawing of the work.
    bool backupFolderFits(const WorkPlan& plan) {
        if (backupFolder_.empty()) return true;
        const std::wstring backupKey = identity_.keyOf(backupFolder_);
        for (const std::wstring& folder : plan.folders) {
            const std::wstring folderKey = identity_.keyOf(folder);
            if (isWithinFolder(folderKey, backupKey)) {
                console_.line(L"Der Sicherungsordner " + backupFolder_ + L" ist der Ordner " + folder +
                              L" oder enthält ihn: die Sicherungen lägen auf den Zeichnungen.\r\nBitte mit "
                              L"/sicherung einen Ordner außerhalb angeben.");
                return false;
            }
        }
        std::set<std::wstring> drawings;
        for (const WorkItem& item : plan.items) drawings.insert(item.key);
        for (const WorkItem& item : plan.items) {
            const std::wstring backup = backupPathOf(backupFolder_, item.path);
            if (drawings.count(identity_.keyOf(backup)) > 0) {
                console_.line(L"Die Sicherung von " + item.path + L" fiele auf die Zeichnung " + backup +
                              L".\r\nBitte mit /sicherung einen anderen Ordner angeben.");
                return false;
            }
        }
        return true;
    }

    CadConnection::Leftovers leftovers() const {
        CadConnection::Leftovers left;
        if (!earlier_) return left;
        for (const DrawingResult& row : earlier_->rows)
            if (row.outcome == Outcome::InProgress) left.openDrawings.push_back(row.path);
        left.templateOpenedByBatch = earlier_->run.templateOpenedByBatch;
        left.activeDocument = earlier_->run.activeDocument;
        left.alerts = earlier_->run.alerts;
        return left;
    }

    // The report of a new run is created (never over an existing file); a resumed run's report is
    // written anew in one step, with every row it had, so that half a row a kill left is gone.
    bool startReport() {
        if (!reportLock_ && !takeReportLock()) return false;
        try {
            if (earlier_) {
                for (const DrawingResult& row : earlier_->rows) place(row, rowKey(identity_, row.path));
                env_.contents.replaceBytes(reportFile_, reportText(record_, rows_));
            } else {
                env_.contents.createBytes(reportFile_, reportHead(record_));
            }
        } catch (const AutomationError& e) {
            console_.line(L"Der Bericht " + reportFile_ + L" kann nicht geschrieben werden:\r\n" + errorReport(e));
            return false;
        }
        return true;
    }

    // For each drawing of the plan the key of its row: the earlier report's row of the same file, under
    // whatever spelling that run used, or its own key.
    std::vector<std::wstring> matchEarlierRows(const WorkPlan& plan) {
        std::vector<std::wstring> keys;
        std::map<std::wstring, std::wstring> byFile;
        bool filesRead = false;
        for (const WorkItem& item : plan.items) {
            if (!earlier_ || positionOf_.count(item.key) > 0) {
                keys.push_back(item.key);
                continue;
            }
            if (!filesRead) {
                filesRead = true;
                for (const DrawingResult& row : earlier_->rows)
                    if (const auto file = identity_.fileIdentity(row.path)) byFile.emplace(*file, identity_.of(row.path).key);
            }
            const auto file = identity_.fileIdentity(item.path);
            const auto found = file ? byFile.find(*file) : byFile.end();
            keys.push_back(found != byFile.end() ? found->second : item.key);
        }
        return keys;
    }

    // A drawing a killed run left "in Arbeit" that is no longer part of the work (deleted or renamed
    // since): put back if it is there, never made again, and its row says so.
    void closeLeftInProgress(CadConnection& cad, const std::vector<std::wstring>& rowKeys) {
        if (!earlier_) return;
        const std::set<std::wstring> planned(rowKeys.begin(), rowKeys.end());
        DrawingJob job(cad, files_, env_.contents, {});
        for (const DrawingResult& row : earlier_->rows) {
            const std::wstring key = identity_.of(row.path).key;
            if (row.outcome != Outcome::InProgress || planned.count(key) > 0) continue;
            DrawingResult result = row;
            result.errorText = L"beim Abbruch in Arbeit";
            job.undo(result);
            console_.line(row.path + L": " + result.errorText);
            record(result, key);
        }
    }

    void probeRoundTrip(CadSupervision& supervision, const char* when, int calls) {
        if (!env_.trace) return;
        try {
            supervision.watched(L"", false, [&] { env_.trace->probeRoundTrip(supervision.cad().application(), calls, when); });
        } catch (const AutomationError&) {
            // A lost application has no round trip to measure; the run's own report says what happened.
        }
    }

    bool work(CadSupervision& supervision, const WorkPlan& plan, const std::vector<std::wstring>& rowKeys, bool resumable) {
        DrawingJob::Settings settings;
        settings.probe = options_.probe;
        settings.stopRequested = env_.stopRequested;
        settings.started = [this](const DrawingResult& pending) { append(pending); };
        if (env_.trace) settings.backupIo = &env_.trace->backupIo();
        DrawingJob job(supervision.cad(), files_, env_.contents, settings);

        const size_t total = plan.items.size();
        size_t finished = 0;
        for (size_t i = 0; i < total; ++i) {
            const WorkItem& item = plan.items[i];
            const std::wstring& key = rowKeys[i];
            const DrawingResult* earlier = rowAt(key);
            // Only what is exchanged is done; a skipped or failed drawing is worked on again.
            if (earlier && isDone(earlier->outcome)) {
                ++finished;
                continue;
            }
            if (env_.stopRequested()) return true;
            if (const auto failure = supervision.restartIfDue(resumable)) {
                console_.line(L"Solid Edge steht nicht mehr zur Verfügung:\r\n" + errorReport(*failure));
                return true;
            }
            noteTemplateOwner(supervision.cad());
            if (env_.trace) {
                probeRoundTrip(supervision, "between", kRoundTripBetween);
                env_.trace->drawingStarted();
            }
            console_.progress(progressLine(i + 1, total, finished, worked_, since(started_), item.relative, console_.columns()));
            std::wstring backup = options_.probe ? L"" : backupPathOf(backupFolder_, item.path);
            if (earlier && earlier->outcome == Outcome::InProgress && !earlier->backup.empty()) {
                // Cut off by a kill at its save: it gets its backup back and is done again.
                backup = earlier->backup;
                const std::wstring restored = job.restoreIfChanged(item.path, backup);
                if (!restored.empty()) console_.line(item.path + L": " + restored);
            }
            DrawingResult result = supervision.watched(resumable ? item.path : L"", resumable, [&] { return job.run(item, backup); });
            if (const auto failure = supervision.recoverAfter(result, resumable)) {
                record(result, key);
                console_.line(L"Solid Edge steht nicht mehr zur Verfügung:\r\n" + errorReport(*failure));
                return true;
            }
            if (result.outcome == Outcome::Failed) console_.line(L"Fehler: " + item.path + L": " + result.errorText);
            record(result, key);
            noteTemplateOwner(supervision.cad());
            ++finished;
            env_.afterDrawing(++worked_);
            if (env_.trace) env_.trace->drawingEnded(worked_);
            if (result.outcome == Outcome::Cancelled) return true;
        }
        console_.progress(progressLine(total, total, finished, since(started_), L""));
        return false;
    }

    // Bound anew or restarted, the template may now be one the batch opened or not: a run resumed after
    // a kill must know.
    void noteTemplateOwner(const CadConnection& cad) {
        if (cad.templateOpenedHere() == record_.templateOpenedByBatch) return;
        record_.templateOpenedByBatch = cad.templateOpenedHere();
        finishReport();
    }

    const DrawingResult* rowAt(const std::wstring& key) const {
        const auto found = positionOf_.find(key);
        return found == positionOf_.end() ? nullptr : &rows_[found->second];
    }

    // The row of a drawing takes the place of its earlier row, or comes last.
    void place(const DrawingResult& r, const std::wstring& key) {
        if (const auto found = positionOf_.find(key); found != positionOf_.end()) {
            rows_[found->second] = r;
            return;
        }
        positionOf_.emplace(key, rows_.size());
        rows_.push_back(r);
    }

    // Appends a row; a report that cannot be written is said once and the work goes on.
    void append(const DrawingResult& r) {
        try {
            env_.contents.appendBytes(reportFile_, reportRow(r));
        } catch (const AutomationError& e) {
            if (!reportTrouble_) console_.line(L"Der Bericht kann nicht geschrieben werden: " + e.description());
            reportTrouble_ = true;
        }
    }

    void record(const DrawingResult& r, const std::wstring& key) {
        append(r);
        place(r, key);
    }

    // One row per drawing, in the order of the plan (a resumed run's earlier rows first); rows "in
    // Arbeit" are gone, since every such drawing got its result. Written in one step, so that a kill
    // leaves the report as it was or as it is now.
    void finishReport() {
        try {
            env_.contents.replaceBytes(reportFile_, reportText(record_, rows_));
        } catch (const AutomationError& e) {
            console_.line(L"Der Bericht kann nicht geschrieben werden: " + e.description());
        }
    }

    const BatchOptions& options_;
    BatchEnvironment& env_;
    BatchConsole& console_;
    clsFileString files_;
    PathIdentity identity_;
    std::wstring reportFile_;
    std::unique_ptr<HeldFile> reportLock_;
    std::wstring backupFolder_;
    std::optional<Report> earlier_;
    RunRecord record_;
    std::vector<DrawingResult> rows_;
    std::map<std::wstring, size_t> positionOf_;
    bool reportTrouble_ = false;
    std::optional<CadSupervision> supervision_;
    size_t worked_ = 0;
    Clock::time_point started_ = Clock::now();
};

}  // namespace

std::wstring templateFileOf(const std::wstring& choice) {
    if (equalsIgnoringCase(choice, L"Normal")) return templateFile(0);
    if (equalsIgnoringCase(choice, L"eng.chin.Normal")) return templateFile(1);
    return choice;
}

std::wstring defaultReportName(const WorkPart& part, const std::wstring& runStamp) {
    return L"korvane-stapel " + (part.whole() ? std::wstring() : part.name() + L" ") + runStamp + L".csv";
}

std::wstring reportLockOf(const std::wstring& reportFile) { return reportFile + L".sperre"; }

int32_t runBatch(const BatchOptions& options, BatchEnvironment& environment) {
    if (!options.mergeTarget.empty()) return mergeReports(options, environment);
    Batch batch(options, environment);
    try {
        return batch.run();
    } catch (const BatchEnded&) {
        return batchexit::NoAnswer;
    }
}

}  // namespace korvane
