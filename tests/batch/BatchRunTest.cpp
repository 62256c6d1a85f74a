// The batch against EdgeSim in process: one drawing of each kind the archive holds, faults of the CAD
// application, interruption and resumption, and the dry run.
#include <fcntl.h>
#include <gmock/gmock.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>

#include "batch/BatchFixture.h"
#include "batch/ReportCsv.h"

namespace korvane::test {
namespace {

using ::testing::AllOf;
using ::testing::HasSubstr;
using ::testing::Not;

const std::string kNew4 = "Rahmen A4 neu";
const std::string kNew8 = "Rahmen A3 neu";

struct Case {
    const char* name;
    std::string content;
    std::function<void(BatchFixture&, const std::wstring&)> prepare;  // may be empty
    Outcome outcome;
    const char* errorText;   // part of the report's error text ("" for none)
    bool changed;            // the file on disk was changed
    bool backedUp;           // a backup copy exists and equals the original
    const char* exchanged;
    const char* withoutPartner;
    int propertiesAdded;
};

class BatchCases : public BatchFixture {};

TEST_F(BatchCases, EveryKindOfDrawingEndsAsItsRowSays) {
    const std::string existingValue = "  property DRAWING-MARA-MATNR=4711\n";
    const std::vector<Case> cases = {
        {"ordinary", drawingText({4, 8}), {}, Outcome::Exchanged, "", true, true, "2", "", 16},
        {"size the template lacks", drawingText({4, 12}), {}, Outcome::PartlyExchanged, "", true, true, "1",
         "Hintergrund 2 (12)", 16},
        {"no background sheets", drawingText({}), {}, Outcome::Exchanged, "", true, true, "0", "", 16},
        {"existing title-block value", drawingText({8}, existingValue), {}, Outcome::Exchanged, "", true, true, "1", "",
         15},
        {"read-only", drawingText({4}), [](BatchFixture& f, const std::wstring& p) { f.setReadOnly(p); },
         Outcome::Skipped, "schreibgeschützt", false, false, "", "", 0},
        {"part under a .dft name", "type 1\npropertyset Custom\n", {}, Outcome::Skipped, "keine Zeichnung (Dokumenttyp PAR)",
         false, true, "", "", 0},
        {"damaged", "type 2\nsheet background x kaputt\n", {}, Outcome::Failed, "Ungültige Dokumentdatei", false, true, "",
         "", 0},
    };
    std::vector<std::wstring> paths;
    std::vector<std::string> originals;
    for (size_t i = 0; i < cases.size(); ++i) {
        paths.push_back(drawing(L"Fall " + std::to_wstring(i) + L" ä.dft", cases[i].content));
        originals.push_back(cases[i].content);
        if (cases[i].prepare) cases[i].prepare(*this, paths.back());
    }
    startApplication();
    EXPECT_EQ(batchexit::SomeNotDone, runBatch({kFolder}));

    for (size_t i = 0; i < cases.size(); ++i) {
        const Case& c = cases[i];
        SCOPED_TRACE(c.name);
        const DrawingResult row = rowOf(paths[i]);
        EXPECT_EQ(outcomeText(c.outcome), outcomeText(row.outcome));
        if (*c.errorText) EXPECT_THAT(toUtf8(row.errorText), HasSubstr(c.errorText));
        else EXPECT_EQ(L"", row.errorText);
        EXPECT_EQ(fromUtf8(c.exchanged), row.exchanged);
        EXPECT_EQ(fromUtf8(c.withoutPartner), row.withoutPartner);
        EXPECT_EQ(c.propertiesAdded, row.propertiesAdded);
        EXPECT_EQ(c.changed, bytesOf(paths[i]) != originals[i]) << "file after the run:\n" << bytesOf(paths[i]);
        const std::wstring backup = backupFolder + L"\\Fall " + std::to_wstring(i) + L" ä.dft";
        EXPECT_EQ(c.backedUp, exists(backup));
        if (c.backedUp) {
            EXPECT_EQ(originals[i], bytesOf(backup));
            EXPECT_EQ(backup, row.backup);
        }
    }
    // What a changed drawing holds now: the template's frames, the sixteen properties, an old value kept.
    EXPECT_THAT(bytesOf(paths[0]), HasSubstr(kNew4));
    EXPECT_THAT(bytesOf(paths[0]), HasSubstr(kNew8));
    EXPECT_THAT(bytesOf(paths[0]), Not(HasSubstr("alt")));
    EXPECT_THAT(bytesOf(paths[1]), HasSubstr("Rahmen 12 alt"));
    EXPECT_THAT(bytesOf(paths[3]), HasSubstr("DRAWING-MARA-MATNR=4711"));
    EXPECT_THAT(bytesOf(paths[3]), HasSubstr("DRAWING-NK-NAME=-"));
    // Nothing is left open but what was open before; the batch started nothing, so nothing quit.
    EXPECT_TRUE(sim().documents().empty());
    EXPECT_FALSE(sim().hasQuit());
}

TEST_F(BatchCases, WhatTheUserHasOpenStaysAsItIsAndTheBackupFolderIsNoPartOfTheWork) {
    const std::wstring a = drawing(L"a.dft", drawingText({4}));
    const std::wstring b = drawing(L"Unterordner mit Blanks\\b.dft", drawingText({8}));
    const std::wstring user = drawing(L"offen.dft", drawingText({4}));
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

TEST_F(BatchCases, ADrawingLockedByAnotherProgramIsSkipped) {
    const std::wstring locked = drawing(L"gesperrt.dft", drawingText({4}));
    const std::string original = bytesOf(locked);
    startApplication();
    const int fd = ::open(scratch.hostPath(locked).c_str(), O_RDONLY);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(0, ::flock(fd, LOCK_EX));
    // flock locks belong to the open file description, so the holder must be another one: a child process.
    const pid_t holder = ::fork();
    if (holder == 0) {
        ::sleep(30);
        ::_exit(0);
    }
    ::close(fd);
    const int32_t exit = runBatch({kFolder});
    ::kill(holder, SIGKILL);
    ::waitpid(holder, nullptr, 0);
    EXPECT_EQ(batchexit::SomeNotDone, exit);
    EXPECT_EQ(L"von einem anderen Programm gesperrt", rowOf(locked).errorText);
    EXPECT_EQ(original, bytesOf(locked));
}

TEST_F(BatchCases, AnExistingBackupIsNeverOverwritten) {
    const std::wstring a = drawing(L"a.dft", drawingText({4}));
    const std::wstring same = drawing(L"gleich.dft", drawingText({8}));
    scratch.writeFile(backupFolder + L"\\a.dft", "ein älterer Stand");
    scratch.writeFile(backupFolder + L"\\gleich.dft", drawingText({8}));
    startApplication();
    EXPECT_EQ(batchexit::SomeNotDone, runBatch({kFolder}));
    EXPECT_EQ(Outcome::Failed, rowOf(a).outcome);
    EXPECT_THAT(toUtf8(rowOf(a).errorText), HasSubstr("existiert schon"));
    EXPECT_EQ("ein älterer Stand", bytesOf(backupFolder + L"\\a.dft"));
    EXPECT_EQ(drawingText({4}), bytesOf(a));
    // A backup with the drawing's very bytes serves as its backup.
    EXPECT_EQ(Outcome::Exchanged, rowOf(same).outcome);
}

TEST_F(BatchCases, ASaveThatBreaksOffIsUndoneFromTheBackup) {
    const std::wstring a = drawing(L"a.dft", drawingText({4}));
    const std::string original = bytesOf(a);
    store->failWrites.push_back(a);
    startApplication();
    EXPECT_EQ(batchexit::SomeNotDone, runBatch({kFolder}));
    const DrawingResult row = rowOf(a);
    EXPECT_EQ(Outcome::Failed, row.outcome);
    EXPECT_THAT(toUtf8(row.errorText), HasSubstr("aus der Sicherung wiederhergestellt"));
    EXPECT_EQ(original, bytesOf(a));
    EXPECT_TRUE(sim().documents().empty()) << "the drawing must be closed without saving";
}

TEST_F(BatchCases, WhenTheCadApplicationDiesTheDrawingFailsAndANewInstanceTakesTheRest) {
    std::vector<std::wstring> paths;
    for (int i = 1; i <= 4; ++i) paths.push_back(drawing(L"z" + std::to_wstring(i) + L".dft", drawingText({4})));
    startApplication(L"running yes\nfault \"Document(" + paths[1] + L")\" Save crash\n");
    startReplacement();
    EXPECT_EQ(batchexit::SomeNotDone, runBatch({kFolder}));

    EXPECT_EQ(Outcome::Exchanged, rowOf(paths[0]).outcome);
    EXPECT_EQ(Outcome::Failed, rowOf(paths[1]).outcome);
    EXPECT_THAT(toUtf8(rowOf(paths[1]).errorText), HasSubstr("neu verbunden"));
    EXPECT_EQ(drawingText({4}), bytesOf(paths[1]));
    EXPECT_EQ(Outcome::Exchanged, rowOf(paths[2]).outcome);
    EXPECT_EQ(Outcome::Exchanged, rowOf(paths[3]).outcome);
    // The replacement was started by the batch, so the batch ended it.
    EXPECT_EQ(1u, sims_[1]->startCount());
    EXPECT_TRUE(sims_[1]->hasQuit());
}

TEST_F(BatchCases, AnInterruptedRunResumedProcessesEveryDrawingExactlyOnce) {
    std::vector<std::wstring> paths;
    for (int i = 1; i <= 5; ++i) paths.push_back(drawing(L"z" + std::to_wstring(i) + L".dft", drawingText({4, 8})));
    startApplication();
    size_t asked = 0;
    EXPECT_EQ(batchexit::Interrupted, runBatch({kFolder}, [&] { return ++asked > 4; }));
    EXPECT_THAT(toUtf8(console.all()), HasSubstr("Abgebrochen"));
    const size_t doneFirst = report().size();
    EXPECT_GE(doneFirst, 1u);
    EXPECT_LT(doneFirst, paths.size());

    backupFolder = kShare + L"\\Sicherung 2";
    EXPECT_EQ(batchexit::AllDone, runBatch({kFolder, L"/fortsetzen"}));
    ASSERT_EQ(paths.size(), report().size());
    for (const auto& p : paths) {
        EXPECT_EQ(Outcome::Exchanged, rowOf(p).outcome) << toUtf8(p);
        EXPECT_EQ(1u, saves(p)) << toUtf8(p);
    }
}

TEST_F(BatchCases, AResumedRunPassesOverWhatIsDoneAndRedoesTheDrawingCutOffAtItsSave) {
    // A killed run left its report with one drawing done and one "in Arbeit", whose file is half written;
    // that drawing is still open with changes in the CAD application, or the application is gone too.
    for (const bool stillRunning : {true, false}) {
        SCOPED_TRACE(stillRunning ? "CAD application still running" : "CAD application gone");
        sims_.clear();
        const std::wstring done = drawing(L"fertig.dft", drawingText({8}));
        const std::wstring a = drawing(L"a.dft", drawingText({4}));
        scratch.writeFile(backupFolder + L"\\a.dft", drawingText({4}));
        scratch.writeFile(a, drawingText({4}).substr(0, 20));
        DrawingResult finished, pending;
        finished.path = done;
        finished.outcome = Outcome::Exchanged;
        pending.path = a;
        pending.outcome = Outcome::InProgress;
        pending.backup = backupFolder + L"\\a.dft";
        scratch.writeFile(reportFile, reportText({finished, pending}));
        startApplication(stillRunning ? L"running yes\ndocument " + a + L"\ntype 2\nsheet background 4 X\nend\n"
                                      : L"running no\n");

        EXPECT_EQ(batchexit::AllDone, runBatch({kFolder, L"/fortsetzen"}));
        EXPECT_EQ(2u, report().size());
        EXPECT_EQ(Outcome::Exchanged, rowOf(done).outcome);
        EXPECT_EQ(drawingText({8}), bytesOf(done));
        EXPECT_EQ(Outcome::Exchanged, rowOf(a).outcome);
        EXPECT_EQ(drawingText({4}), bytesOf(backupFolder + L"\\a.dft"));
        EXPECT_THAT(bytesOf(a), AllOf(HasSubstr(kNew4), HasSubstr("item Ansicht")));
        EXPECT_TRUE(sim().documents().empty());
        // An application the batch started is ended by it, also when it was bound anew in between.
        EXPECT_EQ(!stillRunning, sim().hasQuit());
    }
}

TEST_F(BatchCases, ADryRunChangesNothingAndSaysWhatWouldHappen) {
    const std::wstring a = drawing(L"a.dft", drawingText({4, 12, 8}));
    const std::wstring part = drawing(L"teil.dft", "type 1\n");
    const std::string before = bytesOf(a);
    startApplication();
    EXPECT_EQ(batchexit::SomeNotDone, runBatch({kFolder, L"/probe"}));
    EXPECT_EQ(before, bytesOf(a));
    EXPECT_FALSE(exists(backupFolder));
    const DrawingResult row = rowOf(a);
    EXPECT_EQ(Outcome::Probed, row.outcome);
    EXPECT_EQ(L"", row.backup);
    EXPECT_EQ(L"Hintergrund 1 (4) → Vorlage A4, Hintergrund 3 (8) → Vorlage A3", row.exchanged);
    EXPECT_EQ(L"Hintergrund 2 (12)", row.withoutPartner);
    EXPECT_EQ(Outcome::Skipped, rowOf(part).outcome);
    for (const auto& c : sim().calls()) EXPECT_NE(L"Save", c.member);
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

}  // namespace
}  // namespace korvane::test

namespace korvane::test {
namespace {

TEST_F(BatchCases, AListFileAddsItsDrawingsOnceAndReportsWhatIsNoDrawing) {
    const std::wstring a = drawing(L"a.dft", drawingText({4}));
    const std::wstring b = drawing(L"Unter ordner\\b.dft", drawingText({8}));
    // Notepad's "Unicode": UTF-16 with its byte-order mark; a relative entry is taken from the list's folder,
    // an entry the folder argument names already is taken once.
    const std::wstring lines = L"Unter ordner\\b.dft\r\n\"" + a + L"\"\r\n\r\n# Kommentar\r\nnotiz.txt\r\nfehlt.dft\r\n";
    std::string utf16 = "\xFF\xFE";
    for (wchar_t c : lines) {
        utf16 += static_cast<char>(c & 0xFF);
        utf16 += static_cast<char>((c >> 8) & 0xFF);
    }
    scratch.writeFile(kFolder + L"\\liste.txt", utf16);
    startApplication();
    EXPECT_EQ(batchexit::SomeNotDone, runBatch({kFolder, L"/liste:" + kFolder + L"\\liste.txt"}));

    const auto rows = report();
    ASSERT_EQ(4u, rows.size());
    EXPECT_EQ(Outcome::Exchanged, rowOf(a).outcome);
    EXPECT_EQ(Outcome::Exchanged, rowOf(b).outcome);
    EXPECT_EQ(L"keine .dft-Datei", rowOf(kFolder + L"\\notiz.txt").errorText);
    EXPECT_EQ(Outcome::Failed, rowOf(kFolder + L"\\fehlt.dft").outcome);
    EXPECT_EQ(1u, saves(a));
    // Without /s the subfolder's drawing comes from the list only, and keeps its path below the share in
    // the backup; the folder's drawing keeps its path below the folder.
    EXPECT_TRUE(exists(backupFolder + L"\\a.dft"));
    EXPECT_TRUE(exists(backupFolder + L"\\fileserver\\daten\\Zeichnungen\\Unter ordner\\b.dft"));
}

}  // namespace
}  // namespace korvane::test
