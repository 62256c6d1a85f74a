#include "batch/BatchRun.h"

#include <chrono>
#include <map>
#include <optional>
#include <thread>
#include <type_traits>
#include <vector>

#include "app/clsSystem3.h"
#include "app/modMain.h"
#include "automation/AutomationError.h"
#include "automation/ErrorPolicy.h"
#include "automation/TextConvert.h"
#include "batch/CadConnection.h"
#include "batch/DrawingJob.h"
#include "batch/HangResponse.h"
#include "batch/Progress.h"
#include "batch/ReportCsv.h"
#include "batch/Watchdog.h"
#include "batch/WorkList.h"
#include "files/clsFileString.h"

namespace korvane {

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kReconnectAttempts = 6;
constexpr auto kReconnectPause = std::chrono::seconds(2);

// The batch has ended its own process because the user's Solid Edge stopped answering. Where ending it
// returns (only where that is injected), this leaves the run from the step that noticed, so that
// nothing more is written or done, as if the process had ended.
struct BatchEnded {};

std::chrono::milliseconds since(Clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start);
}

class Batch {
public:
    Batch(const BatchOptions& options, BatchEnvironment& environment)
        : options_(options), env_(environment), console_(environment.console), files_(environment.services.fileSystem) {}

    int32_t run() {
        const std::optional<std::wstring> vorlage = checkTemplates();
        if (!vorlage) return batchexit::CouldNotStart;
        if (clsSystem3(env_.services.processTable).liefereProzessAnzahl(kCadProcessPattern) > 1) {
            console_.line(kMehrfachGestartet);
            return batchexit::CouldNotStart;
        }
        reportFile_ = options_.reportFile.empty() ? L"korvane-stapel " + env_.runStamp + L".csv" : options_.reportFile;
        if (!options_.probe) {
            backupFolder_ = options_.backupFolder.empty()
                                ? joinPath(files_.ermittleVerzeichnis(reportFile_), L"Sicherung " + env_.runStamp)
                                : options_.backupFolder;
        }
        WorkPlan plan;
        try {
            plan = planWork(options_, files_, env_.contents, backupFolder_);
        } catch (const AutomationError& e) {
            console_.line(L"Ordner oder Liste nicht gefunden: " + e.description());
            return batchexit::CouldNotStart;
        }
        std::vector<std::wstring> leftOpen;
        if (!readEarlierReport(leftOpen)) return batchexit::CouldNotStart;

        CadConnection& cad = cad_.emplace(*vorlage, env_.services);
        HangResponse::Settings onHang;
        onHang.limit = options_.timeLimit;
        onHang.reportFile = reportFile_;
        onHang.startedProcess = [&cad] { return cad.startedProcessId(); };
        onHang.endBatch = env_.endProcess;
        HangResponse& hang = hang_.emplace(console_, env_.services.processTable, std::move(onHang));
        watchdog_.emplace(options_.timeLimit, [&hang](Watchdog::Generation stretch) { hang(stretch); });
        try {
            watched(L"", options_.resume, [&] { cad.connect(leftOpen); });
        } catch (const AutomationError& e) {
            console_.line(L"Solid Edge oder die Vorlage steht nicht zur Verfügung:\r\n" +
                          (hang.endedInstance() ? hang.reason() + L"\r\n" : L"") + errorReport(e));
            return batchexit::CouldNotStart;
        }
        if (!startReport()) return batchexit::CouldNotStart;
        for (const DrawingResult& r : plan.rejected) record(r);

        const bool interrupted = work(cad, plan);
        finishReport();
        console_.line(summaryText(results_, since(started_), options_.probe, interrupted) + L"Bericht: " + reportFile_ +
                      (backupFolder_.empty() ? L"" : L"\r\nSicherung: " + backupFolder_));
        if (interrupted) return batchexit::Interrupted;
        for (const DrawingResult& r : results_) {
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

    // The earlier report of a resumed run: what it shows as done is kept; a drawing it shows "in
    // Arbeit" was cut off at its save, so it gets its backup back and is worked on again.
    bool readEarlierReport(std::vector<std::wstring>& leftOpen) {
        if (!options_.resume) return true;
        const auto bytes = env_.contents.readBytes(reportFile_);
        if (!bytes) {
            console_.line(L"Der Bericht " + reportFile_ + L" kann nicht gelesen werden.");
            return false;
        }
        for (DrawingResult& row : readReport(*bytes)) {
            if (row.outcome == Outcome::InProgress) {
                interruptedBackup_[toLower(row.path)] = row.backup;
                leftOpen.push_back(swallow(row.path, [&] { return files_.convertNachUNC(Variant(row.path)); }));
            } else if (isDone(row.outcome)) {
                done_.emplace(toLower(row.path), std::move(row));
            }
        }
        return true;
    }

    bool startReport() {
        try {
            if (!options_.resume) env_.contents.writeBytes(reportFile_, reportHeader());
        } catch (const AutomationError& e) {
            console_.line(L"Der Bericht " + reportFile_ + L" kann nicht geschrieben werden:\r\n" + errorReport(e));
            return false;
        }
        return true;
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

    void record(const DrawingResult& r) {
        append(r);
        results_.push_back(r);
    }

    bool work(CadConnection& cad, const WorkPlan& plan) {
        DrawingJob::Settings settings;
        settings.backupFolder = backupFolder_;
        settings.probe = options_.probe;
        settings.stopRequested = env_.stopRequested;
        settings.started = [this](const DrawingResult& pending) { append(pending); };
        DrawingJob job(cad, files_, env_.contents, settings);

        const size_t total = plan.items.size();
        size_t finished = 0;
        for (size_t i = 0; i < total; ++i) {
            const WorkItem& item = plan.items[i];
            const std::wstring key = toLower(item.path);
            if (auto done = done_.find(key); done != done_.end()) {
                results_.push_back(done->second);
                ++finished;
                continue;
            }
            if (env_.stopRequested()) return true;
            console_.progress(progressLine(i + 1, total, finished, worked_, since(started_), item.relative, console_.columns()));
            if (auto cut = interruptedBackup_.find(key); cut != interruptedBackup_.end() && !cut->second.empty()) {
                const std::wstring restored = job.restoreIfChanged(item.path, cut->second);
                if (!restored.empty()) console_.line(item.path + L": " + restored);
            }
            // A dry run has nothing to resume: it writes no row before a drawing is done.
            const bool resumable = !options_.probe;
            DrawingResult result = watched(resumable ? item.path : L"", resumable, [&] { return job.run(item); });
            bool lost = hang_->endedInstance();
            if (lost) result.errorText = hang_->reason() + L": " + result.errorText;
            else if (result.outcome == Outcome::Failed) lost = !watched(L"", resumable, [&] { return cad.answers(); });
            if (lost) {
                result.errorText += L" (Solid Edge antwortet nicht mehr; neu verbunden)";
                if (const auto failure = reconnect(cad)) {
                    record(result);
                    console_.line(L"Solid Edge steht nicht mehr zur Verfügung:\r\n" + errorReport(*failure));
                    return true;
                }
            }
            if (result.outcome == Outcome::Failed) console_.line(L"Fehler: " + item.path + L": " + result.errorText);
            record(result);
            ++finished;
            env_.afterDrawing(++worked_);
            if (result.outcome == Outcome::Skipped && result.errorText == L"abgebrochen") return true;
        }
        console_.progress(progressLine(total, total, finished, since(started_), L""));
        return false;
    }

    // One step that calls the CAD application, under the time limit; `drawing` is the one under way ("" for
    // none), `resumable` whether this run's report exists for /fortsetzen. Raises BatchEnded, whatever the
    // step's outcome, once the batch has ended its own process.
    template <class Step>
    auto watched(const std::wstring& drawing, bool resumable, Step&& step) -> decltype(step()) {
        hang_->prepare(drawing, resumable, watchdog_->upcoming());
        const auto leaveIfEnded = [this] {
            if (hang_->endedBatch()) throw BatchEnded{};
        };
        Watchdog::Stretch stretch(*watchdog_);
        try {
            if constexpr (std::is_void_v<decltype(step())>) {
                step();
                leaveIfEnded();
            } else {
                auto result = step();
                leaveIfEnded();
                return result;
            }
        } catch (const AutomationError&) {
            leaveIfEnded();
            throw;
        }
    }

    // A CAD application that just died may still be registered for a moment (its class object, its
    // running object), so a new instance may take a few tries. Nothing when connected again.
    std::optional<AutomationError> reconnect(CadConnection& cad) {
        std::optional<AutomationError> failure;
        for (int attempt = 0; attempt < kReconnectAttempts; ++attempt) {
            if (attempt > 0) std::this_thread::sleep_for(kReconnectPause);
            try {
                watched(L"", !options_.probe, [&] { cad.reconnect(); });
                return std::nullopt;
            } catch (const AutomationError& e) {
                failure = e;
            }
        }
        return failure;
    }

    // One row per drawing, in the order of the plan: the list's rejects, then the drawings; rows
    // "in Arbeit" are gone, since every such drawing got its result.
    void finishReport() {
        try {
            env_.contents.writeBytes(reportFile_, reportText(results_));
        } catch (const AutomationError& e) {
            console_.line(L"Der Bericht kann nicht geschrieben werden: " + e.description());
        }
    }

    const BatchOptions& options_;
    BatchEnvironment& env_;
    BatchConsole& console_;
    clsFileString files_;
    std::wstring reportFile_;
    std::wstring backupFolder_;
    std::map<std::wstring, DrawingResult> done_;
    std::map<std::wstring, std::wstring> interruptedBackup_;
    std::vector<DrawingResult> results_;
    bool reportTrouble_ = false;
    // From the connection on; the watchdog goes first, then what its action uses.
    std::optional<CadConnection> cad_;
    std::optional<HangResponse> hang_;
    std::optional<Watchdog> watchdog_;
    size_t worked_ = 0;
    Clock::time_point started_ = Clock::now();
};

}  // namespace

std::wstring templateFileOf(const std::wstring& choice) {
    if (equalsIgnoringCase(choice, L"Normal")) return templateFile(0);
    if (equalsIgnoringCase(choice, L"eng.chin.Normal")) return templateFile(1);
    return choice;
}

int32_t runBatch(const BatchOptions& options, BatchEnvironment& environment) {
    Batch batch(options, environment);
    try {
        return batch.run();
    } catch (const BatchEnded&) {
        return batchexit::NoAnswer;
    }
}

}  // namespace korvane
