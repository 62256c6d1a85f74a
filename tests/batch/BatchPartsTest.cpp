// Several workstations over one archive: parts that between them do every drawing exactly once, a part
// that only resumes its own report, one run per part at a time, and the merge of the parts' reports
// into the report one run would have written.
#include <gmock/gmock.h>

#include <set>

#include "batch/BackupFolder.h"
#include "batch/BatchFixture.h"
#include "batch/HeldFile.h"
#include "batch/ReportCsv.h"
#include "batch/WorkList.h"
#include "batch/WorkPart.h"
#include "files/PathIdentity.h"
#include "files/clsFileString.h"

namespace korvane::test {
namespace {

using ::testing::HasSubstr;

const std::wstring kReports = kShare + L"\\Berichte";
const std::wstring kMerged = kShare + L"\\Gesamt.csv";

std::wstring partReport(uint32_t k) { return kReports + L"\\Teil " + std::to_wstring(k) + L".csv"; }

class BatchParts : public BatchFixture {
public:
    // Nine drawings in two folders, and a list that adds a file that is no drawing and a path to nothing.
    void archive() {
        for (int i = 1; i <= 9; ++i)
            drawings.push_back(drawing((i % 2 ? L"A\\" : L"B\\") + std::to_wstring(i) + L".dft", drawingText({4})));
        scratch.writeFile(kShare + L"\\Notiz.txt", "x");
        scratch.writeFile(kShare + L"\\liste.txt", "Notiz.txt\r\nZeichnungen\\fehlt.dft\r\n\\\\nurserver\r\n");
        scratch.writeFile(kReports + L"\\Liesmich.txt", "Berichte der Teile");
    }
    std::vector<std::wstring> work() const { return {kFolder, L"/s", L"/liste:" + kShare + L"\\liste.txt"}; }
    std::wstring keyOf(const std::wstring& path) { return rowKey(identity, path); }
    std::vector<std::wstring> with(std::vector<std::wstring> args, const std::vector<std::wstring>& more) const {
        args.insert(args.end(), more.begin(), more.end());
        return args;
    }
    std::vector<DrawingResult> rowsOf(const std::wstring& file) const {
        const auto read = readReport(bytesOf(file));
        if (!read) ADD_FAILURE() << "no report in " << toUtf8(file);
        return read ? read->rows : std::vector<DrawingResult>{};
    }
    // A report of Teil K von N over this fixture's work, with these rows.
    void writePart(uint32_t k, uint32_t n, const std::vector<DrawingResult>& rows, const std::wstring& vorlage = kTemplate) {
        RunRecord run = earlierRun();
        run.subfolders = true;
        run.listFile = kShare + L"\\liste.txt";
        run.templatePath = vorlage;
        run.part = WorkPart{k, n};
        scratch.writeFile(partReport(k), reportText(run, rows));
    }
    DrawingResult row(const std::wstring& path, Outcome outcome) const {
        DrawingResult r;
        r.path = path;
        r.outcome = outcome;
        r.seconds = 1.5;
        return r;
    }

    PathIdentity identity{scratch.fileSystem()};
    std::vector<std::wstring> drawings;
};

// What a comparison of two reports may disregard: how long a drawing took.
std::wstring comparable(const DrawingResult& r) {
    return r.path + L";" + outcomeText(r.outcome) + L";" + r.exchanged + L";" + r.withoutPartner + L";" +
           std::to_wstring(r.propertiesAdded) + L";" + std::to_wstring(r.errorNumber) + L";" + r.errorText + L";" + r.backup;
}

TEST_F(BatchParts, ThreePartsDoEveryDrawingOnceAndTheirMergeIsTheSingleRunsReport) {
    archive();
    std::vector<std::wstring> single;
    {
        // The same archive done by one run, in a tree of its own.
        struct Single : BatchParts {
            void TestBody() override {}
        } one;
        one.archive();
        one.startApplication();
        EXPECT_EQ(batchexit::SomeNotDone, one.runBatch(one.work()));
        for (const DrawingResult& r : one.report()) single.push_back(comparable(r));
    }
    startApplication();
    std::set<std::wstring> seen;
    for (uint32_t k = 1; k <= 3; ++k) {
        reportFile = partReport(k);
        runBatch(with(work(), {L"/teil:" + std::to_wstring(k) + L"/3"}));
        const auto read = readReport(bytesOf(reportFile));
        ASSERT_TRUE(read.has_value()) << toUtf8(console.all());
        EXPECT_EQ((WorkPart{k, 3}).text(), read->run.part.text());
        for (const DrawingResult& r : read->rows) {
            EXPECT_TRUE(seen.insert(keyOf(r.path)).second) << "in two parts: " << toUtf8(r.path);
            EXPECT_EQ(k, partOf(keyOf(r.path), 3)) << toUtf8(r.path);
        }
        EXPECT_FALSE(exists(reportLockOf(reportFile))) << "lock left behind";
    }
    EXPECT_EQ(drawings.size() + 3, seen.size()) << "drawings and the list's three rejected entries";
    for (const std::wstring& path : drawings) EXPECT_EQ(1u, saves(path)) << toUtf8(path);

    EXPECT_EQ(batchexit::AllDone, runProgram(with(work(), {L"/zusammenfassen:" + kMerged, kReports})));
    std::vector<std::wstring> merged;
    for (const DrawingResult& r : rowsOf(kMerged)) merged.push_back(comparable(r));
    EXPECT_EQ(single, merged);
    const auto read = readReport(bytesOf(kMerged));
    ASSERT_TRUE(read.has_value());
    EXPECT_TRUE(read->run.part.whole());
    EXPECT_EQ(backupFolder, read->run.backupFolder);

    // Merged again beside the first merge (a whole run's report, no part), from reports that lie in a
    // folder the parts worked on: the same rows.
    for (uint32_t k = 1; k <= 3; ++k) std::rename(scratch.hostPath(partReport(k)).c_str(), scratch.hostPath(kFolder + L"\\Teil " + std::to_wstring(k) + L".csv").c_str());
    std::rename(scratch.hostPath(kMerged).c_str(), scratch.hostPath(kFolder + L"\\Gesamt.csv").c_str());
    const std::wstring again = kShare + L"\\Gesamt 2.csv";
    EXPECT_EQ(batchexit::AllDone, runProgram(with(work(), {L"/zusammenfassen:" + again})));
    std::vector<std::wstring> mergedAgain;
    for (const DrawingResult& r : rowsOf(again)) mergedAgain.push_back(comparable(r));
    EXPECT_EQ(single, mergedAgain);
}

// A resumed part's report holds a drawing twice ("in Arbeit", then done): its last row counts. A part
// that stopped, or whose report is not there, leaves its drawings missing, named with the part.
TEST_F(BatchParts, TheMergeTakesEachDrawingsLastRowAndListsWhatNoPartFinished) {
    archive();
    std::vector<DrawingResult> one, two;
    std::wstring unfinished;
    for (const std::wstring& path : drawings) {
        if (partOf(keyOf(path), 2) == 1) {
            one.push_back(row(path, Outcome::InProgress));
            one.push_back(row(path, Outcome::Exchanged));
        } else if (unfinished.empty()) {
            unfinished = path;
            two.push_back(row(path, Outcome::InProgress));
        } else {
            two.push_back(row(path, Outcome::PartlyExchanged));
        }
    }
    ASSERT_FALSE(unfinished.empty());
    writePart(1, 2, one);
    writePart(2, 2, two);
    EXPECT_EQ(batchexit::SomeNotDone, runProgram(with(work(), {L"/zusammenfassen:" + kMerged, partReport(1), partReport(2)})));
    const auto rows = rowsOf(kMerged);
    ASSERT_EQ(drawings.size() + 3, rows.size());
    std::set<std::wstring> paths;
    for (const DrawingResult& r : rows) {
        SCOPED_TRACE(toUtf8(r.path));
        paths.insert(r.path);
        const uint32_t part = partOf(keyOf(r.path), 2);
        const bool drawing = std::find(drawings.begin(), drawings.end(), r.path) != drawings.end();
        if (drawing && r.path != unfinished) {
            EXPECT_EQ(part == 1 ? Outcome::Exchanged : Outcome::PartlyExchanged, r.outcome);
        } else {
            // The unfinished drawing, and the list's entries that neither report has.
            EXPECT_EQ(Outcome::Missing, r.outcome);
            EXPECT_THAT(toUtf8(r.errorText), HasSubstr(toUtf8(WorkPart{part, 2}.name())));
        }
    }
    EXPECT_EQ(drawings.size() + 3, paths.size());
    EXPECT_THAT(toUtf8(console.all()), HasSubstr("fehlen"));

    // Without the second part's report its drawings are all missing, for want of the report.
    console.lines.clear();
    std::remove(scratch.hostPath(partReport(2)).c_str());
    const std::wstring again = kShare + L"\\Gesamt 2.csv";
    EXPECT_EQ(batchexit::SomeNotDone, runProgram(with(work(), {L"/zusammenfassen:" + again, kReports})));
    for (const DrawingResult& r : rowsOf(again)) {
        if (partOf(keyOf(r.path), 2) != 2) continue;
        EXPECT_EQ(Outcome::Missing, r.outcome) << toUtf8(r.path);
        EXPECT_THAT(toUtf8(r.errorText), HasSubstr("kein Bericht von Teil 2 von 2")) << toUtf8(r.path);
    }
}

TEST_F(BatchParts, ReportsThatDoNotBelongTogetherAreNotMerged) {
    archive();
    scratch.writeFile(kShare + L"\\Admin\\andere.dft", kTemplateText);
    scratch.writeFile(kShare + L"\\Tabelle.csv", "Pos;Menge\r\n1;2\r\n");
    scratch.writeFile(kShare + L"\\Gesamt alt.csv", "von jemandem");
    const std::wstring other = kShare + L"\\Anderer Teil.csv";
    struct Case {
        const char* name;
        std::function<void()> prepare;
        std::vector<std::wstring> arguments;
        std::string message;
    };
    const auto both = [&] { writePart(1, 2, {}), writePart(2, 2, {}); };
    const std::vector<Case> cases = {
        {"another template", [&] { writePart(1, 2, {}), writePart(2, 2, {}, kShare + L"\\Admin\\andere.dft"); },
         {kReports}, "andere Vorlage"},
        {"another folder", both, {kReports, L"/s", L"/liste:" + kShare + L"\\liste.txt", kFolder + L"\\A"}, "andere Ordner"},
        {"without the subfolders", both, {kReports, kFolder, L"/liste:" + kShare + L"\\liste.txt"}, "mit /s"},
        {"another number of parts", [&] { writePart(1, 2, {}), writePart(2, 3, {}); }, {kReports}, "2 und 3 Teile"},
        {"one part twice",
         [&] {
             both();
             scratch.writeFile(other, bytesOf(partReport(2)));
         },
         {kReports, other},
         "nur einmal"},
        {"a file that is no report", both, {kReports, kShare + L"\\Tabelle.csv"}, "kein Bericht"},
        {"a target that exists", both, {kReports}, "nicht überschrieben"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::remove(scratch.hostPath(other).c_str());
        std::remove(scratch.hostPath(partReport(1)).c_str());
        std::remove(scratch.hostPath(partReport(2)).c_str());
        c.prepare();
        console.lines.clear();
        const bool existing = c.message == "nicht überschrieben";
        const std::wstring target = existing ? kShare + L"\\Gesamt alt.csv" : kMerged;
        std::vector<std::wstring> args = c.arguments;
        if (args.size() == 1 || (args.size() == 2 && args[1] == other) || args[1] == kShare + L"\\Tabelle.csv")
            args = with(args, work());
        args.push_back(L"/zusammenfassen:" + target);
        EXPECT_EQ(batchexit::CouldNotStart, runProgram(args));
        EXPECT_THAT(toUtf8(console.all()), HasSubstr(c.message));
        if (existing) EXPECT_EQ("von jemandem", bytesOf(target));
        else EXPECT_FALSE(exists(target));
    }
}

// The report a part resumes is its own: another part's, one of another split, or a whole run's is left alone.
TEST_F(BatchParts, APartResumesOnlyItsOwnReport) {
    archive();
    const std::vector<std::tuple<const char*, WorkPart, std::wstring>> cases = {
        {"another part", {2, 3}, L"/teil:1/3"},
        {"another number of parts", {2, 3}, L"/teil:2/4"},
        {"a part without /teil", {2, 3}, L""},
        {"a whole run with /teil", {1, 1}, L"/teil:1/2"},
    };
    startApplication();
    for (const auto& [name, written, given] : cases) {
        SCOPED_TRACE(name);
        RunRecord run = earlierRun();
        run.subfolders = true;
        run.listFile = kShare + L"\\liste.txt";
        run.part = written;
        const std::string before = reportText(run, {row(drawings[0], Outcome::InProgress)});
        scratch.writeFile(reportFile, before);
        console.lines.clear();
        std::vector<std::wstring> args = with(work(), {L"/fortsetzen"});
        if (!given.empty()) args.push_back(given);
        EXPECT_EQ(batchexit::CouldNotStart, runBatch(args));
        EXPECT_THAT(toUtf8(console.all()), HasSubstr("denselben Teil"));
        EXPECT_EQ(before, bytesOf(reportFile));
    }
    for (const std::wstring& path : drawings) EXPECT_EQ(0u, saves(path)) << toUtf8(path);
}

// A second run of a part while the first holds its report stops, and says so rather than blaming Solid Edge.
TEST_F(BatchParts, ASecondRunOfThePartStopsWhileTheFirstHoldsItsReport) {
    archive();
    PosixBatchFiles files(scratch.fileSystem());
    auto first = files.hold(reportLockOf(reportFile));
    ASSERT_TRUE(first);
    bool claimed = false;
    claim = [&claimed] { return claimed = true; };
    startApplication();
    EXPECT_EQ(batchexit::CouldNotStart, runBatch(with(work(), {L"/teil:2/2"})));
    EXPECT_THAT(toUtf8(console.all()), HasSubstr("schreibt gerade den Bericht"));
    EXPECT_FALSE(claimed) << "the session's claim came first";
    EXPECT_FALSE(exists(reportFile));
    first.reset();
    EXPECT_FALSE(exists(reportLockOf(reportFile)));
    EXPECT_EQ(batchexit::SomeNotDone, runBatch(with(work(), {L"/teil:2/2"})));
    EXPECT_FALSE(exists(reportLockOf(reportFile)));
}

// A file of that name that no run holds is somebody's (or left by a crashed machine): kept, and the run stops.
TEST_F(BatchParts, AFileWhereTheLockGoesIsNeverTakenOrRemoved) {
    archive();
    scratch.writeFile(reportLockOf(reportFile), "Notizen von jemandem");
    startApplication();
    EXPECT_EQ(batchexit::CouldNotStart, runBatch(with(work(), {L"/teil:1/2"})));
    EXPECT_THAT(toUtf8(console.all()), HasSubstr("kein Lauf hält sie"));
    EXPECT_EQ("Notizen von jemandem", bytesOf(reportLockOf(reportFile)));
    EXPECT_FALSE(exists(reportFile));
}

// Another workstation's part marks the shared backup folder between this run's look and its write.
class MarkedMeanwhile : public PosixBatchFiles {
public:
    using PosixBatchFiles::PosixBatchFiles;
    void createBytes(const std::wstring& path, std::string_view bytes) override {
        PosixBatchFiles::createBytes(path, "von einem anderen Rechner");
        PosixBatchFiles::createBytes(path, bytes);
    }
};

TEST_F(BatchParts, PartsStartedTogetherShareTheBackupFolder) {
    MarkedMeanwhile files(scratch.fileSystem());
    clsFileString names(scratch.fileSystem());
    EXPECT_NO_THROW(markBackupFolder(names, files, backupFolder));
    EXPECT_EQ("von einem anderen Rechner", bytesOf(backupFolder + L"\\" + kBackupMarker));
}

}  // namespace
}  // namespace korvane::test
