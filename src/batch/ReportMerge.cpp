#include "batch/ReportMerge.h"

#include <map>
#include <optional>
#include <set>
#include <vector>

#include "automation/AutomationError.h"
#include "batch/ReportCsv.h"
#include "batch/WorkList.h"
#include "drawing/Messages.h"
#include "files/PathIdentity.h"
#include "files/PathText.h"
#include "files/clsFileString.h"

namespace korvane {

namespace {

struct PartReport {
    std::wstring file;
    Report report;
    std::map<std::wstring, size_t> rowOf;  // identity key -> row
};

class Merge {
public:
    Merge(const BatchOptions& options, BatchEnvironment& environment)
        : options_(options), env_(environment), console_(environment.console), files_(environment.services.fileSystem),
          identity_(environment.services.fileSystem) {}

    int32_t run() {
        const FileName target = identity_.of(options_.mergeTarget);
        target_ = target.path.empty() ? options_.mergeTarget : target.path;
        if (files_.existiertDatei(target_) || files_.existiertVerzeichnis(target_))
            return refuse(L"Die Datei " + target_ + L" gibt es schon; sie wird nicht überschrieben. Bitte einen neuen Namen angeben.");
        if (!gatherReports()) return batchexit::CouldNotStart;
        if (parts_.empty())
            return refuse(L"Keine Berichte der Teile gefunden: bitte die Berichte (Dateien oder ihren Ordner) angeben.");
        if (!partsFit()) return batchexit::CouldNotStart;

        WorkPlan plan;
        try {
            BatchOptions work = options_;
            work.folders = drawingFolders_;
            const std::wstring& backup = parts_.front().report.run.backupFolder;
            plan = planWork(work, files_, env_.contents, identity_,
                            Excluded{backup.empty() ? L"" : identity_.of(backup).key, identity_.keyOf(target_)});
        } catch (const AutomationError& e) {
            return refuse(e.number() == rt::PathFileAccessError ? e.description()
                                                                : L"Ordner oder Liste nicht gefunden: " + e.description());
        }
        if (!sameWork(plan)) return batchexit::CouldNotStart;

        const std::vector<DrawingResult> rows = mergedRows(plan);
        try {
            env_.contents.createBytes(target_, reportText(mergedRecord(plan), rows));
        } catch (const AutomationError& e) {
            return refuse(L"Der Bericht " + target_ + L" kann nicht geschrieben werden:\r\n" + errorReport(e));
        }
        return summary(rows);
    }

private:
    int32_t refuse(const std::wstring& text) {
        console_.line(text + L"\r\nEs wurde nichts geschrieben.");
        return batchexit::CouldNotStart;
    }

    bool take(const std::wstring& file, bool named) {
        const auto bytes = env_.contents.readBytes(file);
        std::optional<Report> report = bytes ? readReport(*bytes) : std::nullopt;
        if (!report) {
            if (!named) return true;  // another file in the reports' folder
            refuse(L"Die Datei " + file + L" ist kein Bericht von korvane-stapel.");
            return false;
        }
        for (const PartReport& known : parts_)
            if (identity_.of(known.file).key == identity_.of(file).key) return true;  // named twice
        PartReport part{file, std::move(*report), {}};
        for (size_t i = 0; i < part.report.rows.size(); ++i) part.rowOf[rowKey(identity_, part.report.rows[i].path)] = i;
        parts_.push_back(std::move(part));
        return true;
    }

    // The reports of parts in a folder. A report of a whole run there (an earlier merge, say) is none.
    std::vector<std::wstring> reportsIn(const std::wstring& folder) {
        std::vector<std::wstring> found;
        const Collection pattern{L"*.csv"};
        for (const std::wstring& name : files_.liefereDateiListe(folder, &pattern)) {
            const std::wstring file = joinPath(folder, name);
            const auto bytes = env_.contents.readBytes(file);
            const auto report = bytes ? readReport(*bytes) : std::nullopt;
            if (report && !report->run.part.whole()) found.push_back(file);
        }
        return found;
    }

    // A folder with the reports in it that the parts also worked on is a drawing folder as well.
    void drawingFoldersAmongReportFolders(const std::vector<std::wstring>& reportFolders) {
        std::set<std::wstring> worked;
        for (const PartReport& part : parts_)
            for (const std::wstring& folder : part.report.run.folders) worked.insert(identity_.of(folder).key);
        for (const std::wstring& folder : reportFolders)
            if (worked.count(identity_.of(folder).key) > 0) drawingFolders_.push_back(folder);
    }

    // The arguments: a file is a report; a folder that holds reports of parts is the reports' folder;
    // any other folder, and a reports' folder the parts worked on, is a drawing folder.
    bool gatherReports() {
        std::vector<std::wstring> named, reportFolders;
        if (!options_.reportFile.empty()) named.push_back(options_.reportFile);
        for (const std::wstring& argument : options_.folders) {
            const FileName name = identity_.of(argument);
            const std::wstring path = name.path.empty() ? argument : name.path;
            if (files_.existiertDatei(path)) {
                named.push_back(path);
                continue;
            }
            const std::vector<std::wstring> reports = files_.existiertVerzeichnis(path) ? reportsIn(path) : std::vector<std::wstring>{};
            if (reports.empty()) {
                drawingFolders_.push_back(argument);
                continue;
            }
            reportFolders.push_back(argument);
            for (const std::wstring& file : reports)
                if (!take(file, false)) return false;
        }
        for (const std::wstring& file : named) {
            const FileName name = identity_.of(file);
            if (!files_.existiertDatei(name.path)) {
                refuse(L"Den Bericht " + file + L" gibt es nicht.");
                return false;
            }
            if (!take(name.path, true)) return false;
        }
        drawingFoldersAmongReportFolders(reportFolders);
        return true;
    }

    // One number of parts, each part once, all dry runs or none.
    bool partsFit() {
        const RunRecord& first = parts_.front().report.run;
        std::map<uint32_t, std::wstring> seen;
        for (const PartReport& part : parts_) {
            const RunRecord& run = part.report.run;
            if (run.part.count != first.part.count) {
                refuse(L"Die Berichte " + parts_.front().file + L" und " + part.file + L" teilen die Arbeit verschieden auf (" +
                       std::to_wstring(first.part.count) + L" und " + std::to_wstring(run.part.count) + L" Teile).");
                return false;
            }
            if (const auto twice = seen.find(run.part.number); twice != seen.end()) {
                refuse(L"Die Berichte " + twice->second + L" und " + part.file + L" sind beide " + run.part.name() +
                       L"; jeder Teil darf nur einmal dabei sein.");
                return false;
            }
            seen.emplace(run.part.number, part.file);
            if (run.probe != first.probe) {
                refuse(L"Der Bericht " + part.file + (run.probe ? L" ist eine Probe, " : L" ist keine Probe, ") +
                       parts_.front().file + (first.probe ? L" ist eine." : L" ist eine echte Arbeit."));
                return false;
            }
        }
        return true;
    }

    std::wstring keyOf(const std::wstring& path) { return path.empty() ? path : identity_.of(path).key; }

    // Each report made over the work this merge names: folders, list, subfolder choice, template.
    bool sameWork(const WorkPlan& plan) {
        RunRecord named;
        named.folders = plan.folders;
        named.subfolders = options_.subfolders;
        named.listFile = plan.listFile;
        named.templatePath = templateFileOf(options_.templateChoice);
        for (const PartReport& part : parts_) {
            const std::wstring differs = otherWork(named, part.report.run, identity_);
            if (differs.empty()) continue;
            refuse(L"Der Bericht " + part.file + L" gehört zu einer anderen Arbeit (" + differs +
                   L").\r\n/zusammenfassen braucht dieselben Ordner, Liste, /s und Vorlage wie die Läufe der Teile.");
            return false;
        }
        return true;
    }

    const PartReport* reportOfPart(uint32_t number) const {
        for (const PartReport& part : parts_)
            if (part.report.run.part.number == number) return &part;
        return nullptr;
    }

    // The rows a single run would write, in its order: the list's rejected entries, then the drawings.
    std::vector<DrawingResult> mergedRows(const WorkPlan& plan) {
        const uint32_t count = parts_.front().report.run.part.count;
        std::vector<DrawingResult> rows;
        std::set<std::pair<uint32_t, size_t>> used;
        const auto add = [&](const std::wstring& path, const std::wstring& key) {
            const uint32_t number = partOf(key, count);
            const WorkPart part{number, count};
            const PartReport* report = reportOfPart(number);
            if (report) {
                const auto found = report->rowOf.find(key);
                if (found != report->rowOf.end()) {
                    used.emplace(number, found->second);
                    const DrawingResult& row = report->report.rows[found->second];
                    if (row.outcome != Outcome::InProgress) {
                        rows.push_back(row);
                        return;
                    }
                }
            }
            DrawingResult missing;
            missing.path = path;
            missing.outcome = Outcome::Missing;
            missing.errorText = report ? part.name() + L" hat die Zeichnung nicht abgeschlossen"
                                       : L"kein Bericht von " + part.name();
            rows.push_back(std::move(missing));
            ++missing_[number];
        };
        for (const DrawingResult& r : plan.rejected) add(r.path, rowKey(identity_, r.path));
        for (const WorkItem& item : plan.items) add(item.path, item.key);
        // What a part reported beyond today's work (a drawing put back that has gone since) stays known.
        for (const PartReport& part : parts_)
            for (size_t i = 0; i < part.report.rows.size(); ++i)
                if (used.count({part.report.run.part.number, i}) == 0) rows.push_back(part.report.rows[i]);
        return rows;
    }

    RunRecord mergedRecord(const WorkPlan& plan) {
        RunRecord r;
        const RunRecord& first = parts_.front().report.run;
        r.folders = plan.folders;
        r.subfolders = options_.subfolders;
        r.listFile = plan.listFile;
        r.templatePath = first.templatePath;
        r.probe = first.probe;
        // One backup folder when the parts shared it; the rows name each backup anyway.
        r.backupFolder = first.backupFolder;
        for (const PartReport& part : parts_)
            if (keyOf(part.report.run.backupFolder) != keyOf(first.backupFolder)) r.backupFolder.clear();
        return r;
    }

    int32_t summary(const std::vector<DrawingResult>& rows) {
        const uint32_t count = parts_.front().report.run.part.count;
        std::wstring text = L"Zusammengefasst: " + std::to_wstring(rows.size()) + L" Zeichnungen aus " +
                            std::to_wstring(parts_.size()) + L" von " + std::to_wstring(count) + L" Teilberichten.\r\n";
        size_t missing = 0;
        for (const auto& [number, n] : missing_) {
            missing += n;
            text += L"  " + WorkPart{number, count}.name() + L": " + std::to_wstring(n) + L" fehlen" +
                    (reportOfPart(number) ? L" (mit /teil:" + WorkPart{number, count}.text() + L" /fortsetzen und seinem Bericht "
                                                                                               L"fortsetzen)\r\n"
                                          : std::wstring(L" (kein Bericht dieses Teils)\r\n"));
        }
        if (missing > 0) text += L"Es fehlen " + std::to_wstring(missing) + L" Zeichnungen.\r\n";
        console_.line(text + L"Bericht: " + target_);
        return missing > 0 ? batchexit::SomeNotDone : batchexit::AllDone;
    }

    const BatchOptions& options_;
    BatchEnvironment& env_;
    BatchConsole& console_;
    clsFileString files_;
    PathIdentity identity_;
    std::wstring target_;
    std::vector<std::wstring> drawingFolders_;
    std::vector<PartReport> parts_;
    std::map<uint32_t, size_t> missing_;
};

}  // namespace

int32_t mergeReports(const BatchOptions& options, BatchEnvironment& environment) {
    return Merge(options, environment).run();
}

}  // namespace korvane
