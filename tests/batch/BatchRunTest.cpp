// The batch against EdgeSim in process. The kinds of drawing an archive holds, one by one, are the wine
// run's (scripts/wine/run-batch-e2e); here: skipping, backup and restore, what the user has open, a CAD
// application that dies or stops answering, resumption, the dry run, the list file and what stops the start.
#include <fcntl.h>
#include <gmock/gmock.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstdio>

#include "batch/BatchFixture.h"
#include "batch/ReportCsv.h"

namespace korvane::test {
namespace {

using ::testing::AllOf;
using ::testing::HasSubstr;
using ::testing::Not;

const std::string kNew4 = "Rahmen A4 neu";

struct Case {
    const char* name;
    std::function<void(BatchFixture&, const std::wstring&)> prepare;  // may be empty
    Outcome outcome;
    const char* errorText;  // part of the report's error text ("" for none)
    bool changed;           // the file on disk was changed
    bool backedUp;          // the row names a backup copy that holds the original
};

class BatchCases : public BatchFixture {};

TEST_F(BatchCases, EachDrawingIsExchangedSkippedOrPutBackAsItsRowSays) {
    int lock = -1;  // flock locks belong to the open file description, so this one shuts out the batch's
    const std::vector<Case> cases = {
        {"ordinary", {}, Outcome::Exchanged, "", true, true},
        {"read-only", [](BatchFixture& f, const std::wstring& p) { f.setReadOnly(p); }, Outcome::Skipped,
         "schreibgeschützt", false, false},
        {"locked by another program",
         [&lock](BatchFixture& f, const std::wstring& p) {
             lock = ::open(f.scratch.hostPath(p).c_str(), O_RDONLY);
             ASSERT_EQ(0, ::flock(lock, LOCK_EX));
         },
         Outcome::Skipped, "von einem anderen Programm gesperrt", false, false},
        {"save breaks off", [](BatchFixture& f, const std::wstring& p) { f.store->failWrites.push_back(p); },
         Outcome::Failed, "aus der Sicherung wiederhergestellt", false, true},
        // An older backup is never overwritten: it may be the only good copy of an earlier state.
        {"older backup", [](BatchFixture& f, const std::wstring& p) { f.scratch.writeFile(f.backupOf(p), "älter"); },
         Outcome::Failed, "existiert schon", false, false},
    };
    const std::string original = drawingText({4, 8});
    std::vector<std::wstring> paths;
    for (size_t i = 0; i < cases.size(); ++i) {
        paths.push_back(drawing(L"Fall " + std::to_wstring(i) + L" ä.dft", original));
        if (cases[i].prepare) cases[i].prepare(*this, paths.back());
    }
    startApplication();
    EXPECT_EQ(batchexit::SomeNotDone, runBatch({kFolder}));
    ::close(lock);

    for (size_t i = 0; i < cases.size(); ++i) {
        const Case& c = cases[i];
        SCOPED_TRACE(c.name);
        const DrawingResult row = rowOf(paths[i]);
        EXPECT_EQ(outcomeText(c.outcome), outcomeText(row.outcome));
        if (*c.errorText) EXPECT_THAT(toUtf8(row.errorText), HasSubstr(c.errorText));
        else EXPECT_EQ(L"", row.errorText);
        EXPECT_EQ(c.changed, bytesOf(paths[i]) != original) << "file after the run:\n" << bytesOf(paths[i]);
        const std::wstring backup = backupOf(paths[i]);
        EXPECT_EQ(c.backedUp, exists(backup) && bytesOf(backup) == original);
        EXPECT_EQ(c.backedUp ? backup : L"", row.backup);
    }
    EXPECT_EQ("älter", bytesOf(backupOf(paths[4])));
    const DrawingResult ordinary = rowOf(paths[0]);
    EXPECT_EQ(L"2", ordinary.exchanged);
    EXPECT_EQ(16, ordinary.propertiesAdded);
    EXPECT_THAT(bytesOf(paths[0]), AllOf(HasSubstr(kNew4), HasSubstr("Rahmen A3 neu"), Not(HasSubstr("alt"))));
    // Nothing is left open (a failed drawing is closed without saving); the batch started nothing, so nothing quit.
    EXPECT_TRUE(sim().documents().empty());
    EXPECT_FALSE(sim().hasQuit());
}

TEST_F(BatchCases, WhatTheUserHasOpenStaysAsItIsAndTheBackupFolderIsNoPartOfTheWork) {
    const std::wstring a = drawing(L"a.dft", drawingText({4}));
    const std::wstring b = drawing(L"Unterordner mit Blanks\\b.dft", drawingText({8}));
    const std::wstring user = drawing(L"offen.dft", drawingText({4}));
    // A backup folder inside the tree, with an earlier run's copies in it, is no part of the work.
    backupFolder = kFolder + L"\\Sicherung";
    scratch.writeFile(backupFolder + L"\\früher.dft", drawingText({4}));
    startApplication(L"running yes\nopen " + user + L"\nopen " + kTemplate + L"\n");
    EXPECT_EQ(batchexit::SomeNotDone, runBatch({kFolder, L"/s"}));

    EXPECT_EQ(3u, report().size());
    EXPECT_EQ(L"in Solid Edge geöffnet", rowOf(user).errorText);
    EXPECT_EQ(Outcome::Exchanged, rowOf(a).outcome);
    EXPECT_EQ(Outcome::Exchanged, rowOf(b).outcome);
    ASSERT_FALSE(console.progressLines.empty());
    EXPECT_EQ(0u, console.progressLines.front().rfind(L"[1/3]", 0)) << toUtf8(console.progressLines.front());
    // The user's drawing and the template they had open are still open, unchanged and unsaved.
    ASSERT_EQ(2u, sim().documents().size());
    for (const auto& d : sim().documents()) EXPECT_FALSE(d->modified()) << toUtf8(d->fullName());
    EXPECT_EQ(0u, saves(user));
}

// Native only: under wine the dead server's class stays registered, so there the harness starts the
// new instance itself.
TEST_F(BatchCases, WhenTheCadApplicationDiesTheDrawingFailsAndANewInstanceTakesTheRest) {
    std::vector<std::wstring> paths;
    for (int i = 1; i <= 3; ++i) paths.push_back(drawing(L"z" + std::to_wstring(i) + L".dft", drawingText({4})));
    startApplication(L"running yes\nfault \"Document(" + paths[1] + L")\" Save crash\n");
    startApplication(L"running no\n");
    EXPECT_EQ(batchexit::SomeNotDone, runBatch({kFolder}));

    EXPECT_EQ(Outcome::Exchanged, rowOf(paths[0]).outcome);
    EXPECT_EQ(Outcome::Failed, rowOf(paths[1]).outcome);
    EXPECT_THAT(toUtf8(rowOf(paths[1]).errorText), HasSubstr("neu verbunden"));
    EXPECT_EQ(drawingText({4}), bytesOf(paths[1]));
    EXPECT_EQ(Outcome::Exchanged, rowOf(paths[2]).outcome);
    // The replacement was started by the batch, so the batch ended it.
    EXPECT_EQ(1u, sims_[1]->startCount());
    EXPECT_TRUE(sims_[1]->hasQuit());
}

// A hang at the drawing's close comes after its save, so the file on disk is changed by then.
std::wstring hangAtClose(const std::wstring& path) { return L"fault \"Document(" + path + L")\" Close hang\n"; }

TEST_F(BatchCases, AnInstanceTheBatchStartedIsEndedWhenItStopsAnsweringAndANewOneTakesTheRest) {
    std::vector<std::wstring> paths;
    for (int i = 1; i <= 3; ++i) paths.push_back(drawing(L"h" + std::to_wstring(i) + L".dft", drawingText({4})));
    startApplication(L"running no\n" + hangAtClose(paths[1]));
    startApplication(L"running no\n");
    EXPECT_EQ(batchexit::SomeNotDone, runBatch({kFolder, L"/zeitlimit:1"}));

    EXPECT_EQ(Outcome::Exchanged, rowOf(paths[0]).outcome);
    const DrawingResult hung = rowOf(paths[1]);
    EXPECT_EQ(Outcome::Failed, hung.outcome);
    EXPECT_THAT(toUtf8(hung.errorText), AllOf(HasSubstr("nicht innerhalb von 1 s geantwortet"),
                                              HasSubstr("aus der Sicherung wiederhergestellt"), HasSubstr("neu verbunden")));
    EXPECT_EQ(drawingText({4}), bytesOf(paths[1]));
    EXPECT_EQ(Outcome::Exchanged, rowOf(paths[2]).outcome);
    // Only the process of the hanging instance was ended (the other Solid Edge on the machine is not the
    // batch's), and the batch itself went on.
    EXPECT_EQ((std::vector<std::pair<uint32_t, uint32_t>>{{300, 1}}), processes->terminated);
    EXPECT_TRUE(sims_[0]->endedAbruptly());
    EXPECT_EQ(1u, sims_[1]->startCount());
    EXPECT_FALSE(endedWith.has_value());
}

TEST_F(BatchCases, WhenTheUsersSolidEdgeStopsAnsweringTheBatchEndsItselfAndLeavesSolidEdgeAlone) {
    std::vector<std::wstring> paths;
    for (int i = 1; i <= 3; ++i) paths.push_back(drawing(L"h" + std::to_wstring(i) + L".dft", drawingText({4})));
    startApplication(L"running yes\n" + hangAtClose(paths[1]));
    EXPECT_EQ(batchexit::NoAnswer, runBatch({kFolder, L"/zeitlimit:1"}));

    EXPECT_EQ(batchexit::NoAnswer, endedWith.value_or(-1));
    EXPECT_TRUE(processes->terminated.empty());
    EXPECT_FALSE(sim().endedAbruptly());
    EXPECT_FALSE(sim().hasQuit());
    // The report as the ended process leaves it: the drawing done, the hanging one "in Arbeit" for
    // /fortsetzen to put back, nothing after it.
    const std::vector<DrawingResult> rows = report();
    ASSERT_EQ(2u, rows.size());
    EXPECT_EQ(Outcome::Exchanged, rowOf(paths[0]).outcome);
    EXPECT_EQ(Outcome::InProgress, rowOf(paths[1]).outcome);
    EXPECT_EQ(backupOf(paths[1]), rowOf(paths[1]).backup);
    EXPECT_THAT(toUtf8(console.all()), AllOf(HasSubstr("Solid Edge antwortet seit 1 s nicht mehr"), HasSubstr("In Arbeit war " + toUtf8(paths[1])),
                                             HasSubstr("/fortsetzen /bericht:\"" + toUtf8(reportFile) + "\"")));
}

TEST_F(BatchCases, AResumedRunPassesOverWhatIsDoneAndRedoesTheDrawingCutOffAtItsSave) {
    // A killed run left its report with one drawing done and one "in Arbeit", whose file is half written;
    // that drawing is still open with changes in the CAD application, or the application is gone too.
    for (const bool stillRunning : {true, false}) {
        SCOPED_TRACE(stillRunning ? "CAD application still running" : "CAD application gone");
        sims_.clear();
        const std::wstring done = drawing(L"fertig.dft", drawingText({8}));
        const std::wstring a = drawing(L"a.dft", drawingText({4}));
        scratch.writeFile(backupOf(a), drawingText({4}));
        scratch.writeFile(a, drawingText({4}).substr(0, 20));
        DrawingResult finished, pending;
        finished.path = done;
        finished.outcome = Outcome::Exchanged;
        pending.path = a;
        pending.outcome = Outcome::InProgress;
        pending.backup = backupOf(a);
        scratch.writeFile(reportFile, reportText(earlierRun(), {finished, pending}));
        startApplication(stillRunning ? L"running yes\ndocument " + a + L"\ntype 2\nsheet background 4 X\nend\n"
                                      : L"running no\n");

        EXPECT_EQ(batchexit::AllDone, runBatch({kFolder, L"/fortsetzen"}));
        EXPECT_EQ(2u, report().size());
        EXPECT_EQ(Outcome::Exchanged, rowOf(done).outcome);
        EXPECT_EQ(drawingText({8}), bytesOf(done));
        EXPECT_EQ(Outcome::Exchanged, rowOf(a).outcome);
        EXPECT_EQ(drawingText({4}), bytesOf(backupOf(a)));
        EXPECT_THAT(bytesOf(a), AllOf(HasSubstr(kNew4), HasSubstr("item Ansicht")));
        EXPECT_TRUE(sim().documents().empty());
        // An application the batch started is ended by it, also when it was bound anew in between.
        EXPECT_EQ(!stillRunning, sim().hasQuit());
    }
}

TEST_F(BatchCases, ADryRunChangesNothingAndMakesNoBackup) {
    const std::wstring a = drawing(L"a.dft", drawingText({4, 12, 8}));
    startApplication();
    EXPECT_EQ(batchexit::AllDone, runBatch({kFolder, L"/probe"}));
    EXPECT_EQ(drawingText({4, 12, 8}), bytesOf(a));
    EXPECT_FALSE(exists(backupFolder));
    EXPECT_EQ(Outcome::Probed, rowOf(a).outcome);
    EXPECT_EQ(L"", rowOf(a).backup);
}

struct StartCase {
    const char* name;
    std::function<void(BatchFixture&)> prepare;
    std::vector<std::wstring> arguments;
    const char* message;
};

TEST_F(BatchCases, TheBatchDoesNotStartWithoutWhatItNeeds) {
    const std::vector<StartCase> cases = {
        {"template missing", [](BatchFixture& f) { std::remove(f.scratch.hostPath(kShare + L"\\Admin\\Vorlagen\\SeV12\\EngChinNormal.dft").c_str()); },
         {kFolder}, "Draftvorlage konnte nicht gefunden werden!"},
        {"two Solid Edge", [](BatchFixture& f) { f.processes->entries->push_back({L"Edge.exe", 300}); }, {kFolder},
         "SolidEdge ist mehrfach gestartet!"},
        {"folder missing", {}, {kShare + L"\\gibtsnicht"}, "Ordner oder Liste nicht gefunden"},
        {"no CAD application", [](BatchFixture& f) { f.sims_.clear(); f.startApplication(L"running no\nstartable no\n"); },
         {kFolder}, "Solid Edge oder die Vorlage steht nicht zur Verfügung"},
    };
    for (const StartCase& c : cases) {
        SCOPED_TRACE(c.name);
        console.lines.clear();
        sims_.clear();
        startApplication();
        drawing(L"a.dft", drawingText({4}));
        scratch.writeFile(kShare + L"\\Admin\\Vorlagen\\SeV12\\EngChinNormal.dft", kTemplateText);
        processes->entries = std::vector<ProcessEntry>{{L"Edge.exe", 200}};
        if (c.prepare) c.prepare(*this);
        EXPECT_EQ(batchexit::CouldNotStart, runBatch(c.arguments));
        EXPECT_THAT(toUtf8(console.all()), HasSubstr(c.message));
    }
}

TEST_F(BatchCases, AListFileAddsItsDrawingsOnceAndReportsWhatIsNoDrawing) {
    const std::wstring a = drawing(L"a.dft", drawingText({4}));
    const std::wstring b = drawing(L"Unter ordner\\b.dft", drawingText({8}));
    // Notepad's "Unicode": UTF-16 with its byte-order mark; a relative entry is taken from the list's folder,
    // an entry the folder argument names already is taken once.
    const std::wstring lines = L"Unter ordner\\b.dft\r\n\"" + a + L"\"\r\n\r\n# Kommentar\r\nnotiz.txt\r\nfehlt.dft\r\n";
    std::string utf16 = "\xFF\xFE";
    for (wchar_t c : lines) utf16 += {static_cast<char>(c & 0xFF), static_cast<char>((c >> 8) & 0xFF)};
    scratch.writeFile(kFolder + L"\\liste.txt", utf16);
    startApplication();
    EXPECT_EQ(batchexit::SomeNotDone, runBatch({kFolder, L"/liste:" + kFolder + L"\\liste.txt"}));

    EXPECT_EQ(4u, report().size());
    EXPECT_EQ(Outcome::Exchanged, rowOf(a).outcome);
    EXPECT_EQ(Outcome::Exchanged, rowOf(b).outcome);
    EXPECT_EQ(L"keine .dft-Datei", rowOf(kFolder + L"\\notiz.txt").errorText);
    EXPECT_EQ(Outcome::Failed, rowOf(kFolder + L"\\fehlt.dft").outcome);
    EXPECT_EQ(1u, saves(a));
    // Folder or list, a backup mirrors the drawing's share and path.
    EXPECT_TRUE(exists(backupFolder + L"\\fileserver\\daten\\Zeichnungen\\a.dft"));
    EXPECT_TRUE(exists(backupFolder + L"\\fileserver\\daten\\Zeichnungen\\Unter ordner\\b.dft"));
}

}  // namespace
}  // namespace korvane::test
