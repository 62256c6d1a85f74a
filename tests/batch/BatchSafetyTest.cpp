// What the batch must never do, whatever the spelling of its input and whatever it finds: work a drawing
// twice, take a backup for a drawing, write over a file that is not its own report, recreate a drawing
// someone removed, or leave the user's Solid Edge other than it was.
#include <gmock/gmock.h>

#include <unistd.h>

#include <cstdio>
#include <set>

#include "batch/BackupFolder.h"
#include "batch/BatchFixture.h"
#include "batch/DrawingJob.h"
#include "batch/ReportCsv.h"
#include "batch/RunRecord.h"

namespace korvane::test {
namespace {

using ::testing::HasSubstr;

const std::wstring kDrive = L"Y:\\Zeichnungen";  // kFolder through the network drive

class BatchSafety : public BatchFixture {
public:
    // The drawings each saved exactly once, with one report row each and a backup that holds the original.
    void expectEachDoneOnce(const std::vector<std::wstring>& paths, const std::string& original) {
        const auto rows = report();
        EXPECT_EQ(paths.size(), rows.size());
        for (const std::wstring& path : paths) {
            SCOPED_TRACE(toUtf8(path));
            EXPECT_EQ(1u, saves(path));
            EXPECT_EQ(Outcome::Exchanged, rowOf(path).outcome);
            EXPECT_EQ(original, bytesOf(backupOf(path)));
            EXPECT_EQ(backupOf(path), rowOf(path).backup);
        }
    }
};

TEST_F(BatchSafety, EveryWayOfNamingADrawingLeadsToOneDrawingWorkedOnce) {
    const std::string original = drawingText({4});
    const std::vector<std::wstring> paths = {drawing(L"Welle.dft", original), drawing(L"Projekt A\\Größe Ä.dft", original)};
    scratch.writeFile(kShare + L"\\#12 Lagerbock.dft", original);
    // Two spellings of the folder, one of a subfolder it walks anyway, and a list with every spelling of
    // each drawing (and one comment line that names a real file).
    const std::wstring list = L"Zeichnungen\\Welle.dft\r\n.\\Zeichnungen\\WELLE.DFT\r\nx\\..\\Zeichnungen\\Welle.dft.\r\n"
                              L"\"\\\\FILESERVER\\Daten\\Zeichnungen\\welle.dft\"\r\nY:/Zeichnungen/Projekt A/GRÖßE ä.dft\r\n"
                              L"#12 Lagerbock.dft\r\n";
    scratch.writeFile(kShare + L"\\liste.txt", toUtf8(L"\xFEFF" + list));
    startApplication();
    // (Folder arguments in other letter cases are the wine run's: this host's file names are case-sensitive.)
    EXPECT_EQ(batchexit::SomeNotDone, runBatch({kFolder, kDrive + L"\\", L"\\\\fileserver\\daten\\.\\Zeichnungen\\Projekt A", L"/s",
                                                L"/liste:Y:\\liste.txt"}));

    // Two drawings and the comment line's row; every other naming is a repeat.
    ASSERT_EQ(3u, report().size());
    for (const std::wstring& path : paths) EXPECT_EQ(1u, saves(path)) << toUtf8(path);
    const DrawingResult comment = rowOf(kShare + L"\\#12 Lagerbock.dft");
    EXPECT_EQ(Outcome::Skipped, comment.outcome);
    EXPECT_THAT(toUtf8(comment.errorText), HasSubstr("Kommentar"));
    EXPECT_THAT(toUtf8(console.all()), HasSubstr("doppelt genannt:"));
}

TEST_F(BatchSafety, DrawingsOfTheSameNameInTwoFoldersGetBackupsOfTheirOwn) {
    const std::string a = drawingText({4}), b = drawingText({8});
    const std::wstring first = drawing(L"Projekt A\\Zusammenbau.dft", a);
    const std::wstring second = drawing(L"Projekt B\\Zusammenbau.dft", b);
    startApplication();
    EXPECT_EQ(batchexit::AllDone, runBatch({kFolder + L"\\Projekt A", kFolder + L"\\Projekt B"}));
    EXPECT_EQ(a, bytesOf(backupOf(first)));
    EXPECT_EQ(b, bytesOf(backupOf(second)));
    EXPECT_EQ(backupFolder + L"\\fileserver\\daten\\Zeichnungen\\Projekt B\\Zusammenbau.dft", rowOf(second).backup);
}

struct ForeignReport {
    const char* name;
    std::string bytes;
    bool resume;
};

TEST_F(BatchSafety, AFileThatIsNotThisRunsReportIsNeverWrittenOver) {
    const std::wstring a = drawing(L"a.dft", drawingText({4}));
    RunRecord otherWork = earlierRun();
    otherWork.folders = {kShare + L"\\Anderes"};
    const std::vector<ForeignReport> cases = {
        {"parts list, new run", "Pos;Menge;Benennung\r\n1;2;Welle\r\n", false},
        {"parts list, resumed", "Pos;Menge;Benennung\r\n1;2;Welle\r\n", true},
        {"random bytes, resumed", std::string("\x00\xff\x10zufall\x80", 10), true},
        {"a finished report, new run", reportText(earlierRun(), {}), false},
        {"report of other folders, resumed", reportText(otherWork, {}), true},
    };
    startApplication();
    for (const ForeignReport& c : cases) {
        SCOPED_TRACE(c.name);
        console.lines.clear();
        scratch.writeFile(reportFile, c.bytes);
        std::vector<std::wstring> arguments = {kFolder};
        if (c.resume) arguments.push_back(L"/fortsetzen");
        EXPECT_EQ(batchexit::CouldNotStart, runBatch(arguments));
        EXPECT_EQ(c.bytes, bytesOf(reportFile));
        // Whichever way it is refused, the message names what to do.
        EXPECT_THAT(toUtf8(console.all()), HasSubstr(c.resume ? "bleibt, wie" : "/fortsetzen"));
    }
    EXPECT_EQ(0u, saves(a));
    EXPECT_FALSE(exists(backupFolder));
}

TEST_F(BatchSafety, ABackupFolderThatIsOrHoldsAFolderOfTheWorkIsRefused) {
    const std::wstring a = drawing(L"a.dft", drawingText({4}));
    startApplication();
    for (const std::wstring& folder : {kFolder, kDrive, kDrive + L"\\", std::wstring(L"\\\\FILESERVER\\daten\\ZEICHNUNGEN"), kShare}) {
        SCOPED_TRACE(toUtf8(folder));
        backupFolder = folder;
        EXPECT_EQ(batchexit::CouldNotStart, runBatch({kFolder}));
        EXPECT_FALSE(exists(reportFile));
        EXPECT_FALSE(exists(folder + L"\\" + kBackupMarker));
    }
    EXPECT_EQ(0u, saves(a));
}

// The README's defaults put the backup folder beside the report, inside the archive: a resumed run must
// continue in it, and never take it (or an older one) for part of the archive.
TEST_F(BatchSafety, AResumedRunContinuesInItsBackupFolderAndNeverWorksOnBackups) {
    const std::string original = drawingText({4});
    std::vector<std::wstring> paths;
    for (int i = 1; i <= 4; ++i) paths.push_back(drawing(L"z" + std::to_wstring(i) + L".dft", original));
    scratch.writeFile(kFolder + L"\\Sicherung 2026-01-01 08-00-00\\alt.dft", original);  // made before folders were marked
    reportFile = kFolder + L"\\Berichte\\juni.csv";
    backupFolder.clear();
    startApplication();
    size_t asked = 0;
    EXPECT_EQ(batchexit::Interrupted, runBatch({kFolder, L"/s"}, [&asked] { return ++asked > 3; }));
    const std::wstring firstBackups = kFolder + L"\\Berichte\\Sicherung 2026-12-06 10-00-00";
    EXPECT_TRUE(exists(firstBackups + L"\\" + kBackupMarker));

    EXPECT_EQ(batchexit::AllDone, runBatch({L"Y:\\Zeichnungen\\.", L"/s", L"/fortsetzen"}));
    backupFolder = firstBackups;
    expectEachDoneOnce(paths, original);
}

TEST_F(BatchSafety, ALeftoverTemporaryCopyIsDiscardedAndTheBackupIsWhole) {
    const std::string original = drawingText({4, 8});
    const std::wstring a = drawing(L"a.dft", original);
    scratch.writeFile(backupOf(a) + L".korvane-tmp", original.substr(0, 7));
    startApplication();
    EXPECT_EQ(batchexit::AllDone, runBatch({kFolder}));
    EXPECT_EQ(original, bytesOf(backupOf(a)));
    EXPECT_FALSE(exists(backupOf(a) + L".korvane-tmp"));
}

TEST_F(BatchSafety, ADrawingGoneSinceItsBackupIsNotMadeAgain) {
    const std::string original = drawingText({4});
    const std::wstring kept = drawing(L"bleibt.dft", original);
    const std::wstring gone = kFolder + L"\\weg.dft";
    scratch.writeFile(backupOf(gone), original);
    DrawingResult pending;
    pending.path = gone;
    pending.outcome = Outcome::InProgress;
    pending.backup = backupOf(gone);
    scratch.writeFile(reportFile, reportText(earlierRun(), {pending}));
    startApplication();
    EXPECT_EQ(batchexit::SomeNotDone, runBatch({kFolder, L"/fortsetzen"}));
    EXPECT_FALSE(exists(gone));
    EXPECT_EQ(original, bytesOf(backupOf(gone)));
    const DrawingResult row = rowOf(gone);
    EXPECT_EQ(Outcome::Failed, row.outcome);
    EXPECT_THAT(toUtf8(row.errorText), HasSubstr(toUtf8(kVanished)));
    EXPECT_EQ(Outcome::Exchanged, rowOf(kept).outcome);
}

TEST_F(BatchSafety, AFailedDrawingsRowClaimsNothingAndSaysItWasPutBack) {
    const std::wstring a = drawing(L"a.dft", drawingText({4}));
    store->failWrites.push_back(a);
    startApplication();
    EXPECT_EQ(batchexit::SomeNotDone, runBatch({kFolder}));
    const DrawingResult row = rowOf(a);
    EXPECT_EQ(Outcome::Failed, row.outcome);
    EXPECT_EQ(0, row.propertiesAdded);
    EXPECT_EQ(L"", row.exchanged);
    EXPECT_THAT(toUtf8(row.errorText), HasSubstr("(aus der Sicherung wiederhergestellt)"));
    EXPECT_EQ(drawingText({4}), bytesOf(a));
}

// A close that fails after the save: the drawing is put back, and it must not stay open in Solid Edge
// with the content its file no longer has.
TEST_F(BatchSafety, ADrawingWhoseCloseFailsIsPutBackAndNotLeftOpen) {
    const std::wstring a = drawing(L"a.dft", drawingText({4}));
    startApplication(L"running yes\nfault \"Document(" + a + L")\" Close error 0x80004005 \"Netzwerkfehler\"\n");
    EXPECT_EQ(batchexit::SomeNotDone, runBatch({kFolder}));
    EXPECT_EQ(Outcome::Failed, rowOf(a).outcome);
    EXPECT_THAT(toUtf8(rowOf(a).errorText), HasSubstr("(aus der Sicherung wiederhergestellt)"));
    EXPECT_EQ(drawingText({4}), bytesOf(a));
    EXPECT_EQ(nullptr, sim().findDocument(a));
}

TEST_F(BatchSafety, ADrawingTheUserHasOpenUnderAnotherSpellingIsLeftAlone) {
    const std::wstring a = drawing(L"Größe.dft", drawingText({4}));
    startApplication(L"running yes\nopen \\\\FILESERVER\\daten\\Zeichnungen\\.\\Größe.dft\n");
    EXPECT_EQ(batchexit::SomeNotDone, runBatch({kFolder}));
    EXPECT_EQ(L"in Solid Edge geöffnet", rowOf(a).errorText);
    EXPECT_FALSE(exists(backupOf(a)));
    EXPECT_EQ(0u, saves(L"\\\\FILESERVER\\daten\\Zeichnungen\\.\\Größe.dft"));
}

// The same file under another name (a hard link, as a second share of the folder or a short name
// would be): the file system's identity tells that the user has the drawing open.
TEST_F(BatchSafety, ADrawingTheUserHasOpenUnderAnotherNameOfTheSameFileIsLeftAlone) {
    const std::wstring a = drawing(L"a.dft", drawingText({4}));
    const std::wstring link = kShare + L"\\Verknüpft\\b.dft";
    scratch.writeFile(link, "");
    std::remove(scratch.hostPath(link).c_str());
    ASSERT_EQ(0, ::link(scratch.hostPath(a).c_str(), scratch.hostPath(link).c_str()));
    startApplication(L"running yes\nopen " + link + L"\n");
    EXPECT_EQ(batchexit::SomeNotDone, runBatch({kFolder}));
    EXPECT_EQ(L"in Solid Edge geöffnet", rowOf(a).errorText);
    EXPECT_FALSE(exists(backupOf(a)));
}

// A killed run opened the template and made another document active; the run that resumes it closes
// that template, and the document active before the killed run is active again. A template the user
// had open stays open.
TEST_F(BatchSafety, AResumedRunPutsTheUsersSolidEdgeBackAsItWasBeforeTheKilledRun) {
    for (const bool openedByBatch : {true, false}) {
        SCOPED_TRACE(openedByBatch ? "template opened by the killed run" : "template opened by the user");
        sims_.clear();
        const std::wstring a = drawing(L"a.dft", drawingText({4}));
        const std::wstring mine = drawing(L"meine.dft", drawingText({8}));
        const std::wstring other = drawing(L"andere.dft", drawingText({8}));
        RunRecord killed = earlierRun();
        killed.folders = {kFolder + L"\\Teil"};
        drawing(L"Teil\\t.dft", drawingText({4}));
        killed.templateOpenedByBatch = openedByBatch;
        killed.activeDocument = mine;
        scratch.writeFile(reportFile, reportText(killed, {}));
        startApplication(L"running yes\nopen " + mine + L"\nopen " + other + L"\nopen " + kTemplate + L"\n");
        EXPECT_EQ(batchexit::AllDone, runBatch({kFolder + L"\\Teil", L"/fortsetzen"}));
        EXPECT_EQ(openedByBatch, sim().findDocument(kTemplate) == nullptr);
        ASSERT_NE(nullptr, sim().activeDocument());
        EXPECT_EQ(mine, sim().activeDocument()->fullName());
        std::remove(scratch.hostPath(reportFile).c_str());
        (void)a;
    }
}

TEST_F(BatchSafety, ASecondRunWhileOneWorksEndsAtOnce) {
    const std::wstring a = drawing(L"a.dft", drawingText({4}));
    claim = [] { return false; };
    startApplication();
    EXPECT_EQ(batchexit::CouldNotStart, runBatch({kFolder}));
    EXPECT_THAT(toUtf8(console.all()), HasSubstr("Ein anderer korvane-stapel"));
    EXPECT_FALSE(exists(reportFile));
    EXPECT_EQ(0u, saves(a));
}

}  // namespace
}  // namespace korvane::test
