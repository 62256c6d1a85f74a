// The start-up procedure end to end in process: a scripted user interface, the POSIX file system
// with the template share, a scripted process table and the simulated CAD application.
#ifndef _WIN32

#include <gtest/gtest.h>

#include <cstdio>
#include <deque>
#include <functional>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "app/modMain.h"
#include "automation/AutomationBinder.h"
#include "files/posix/PosixFileSystem.h"
#include "files/posix/ScratchDrives.h"
#include "model/Simulator.h"
#include "processes/FakeProcessTable.h"

namespace korvane {
namespace {

using test::FakeProcessTable;

const std::wstring kDir = L"\\\\fileserver\\daten\\Admin\\Vorlagen\\SeV12\\";
const std::wstring kDrawing = L"C:\\Zeichnungen\\Welle.dft";

// Both templates have background sheets of sizes 8 and 4 (in that order), the drawing has 4 and 8.
// `extra` adds lines to the drawing, `activeType` is its document type.
std::wstring world(const std::wstring& activeType = L"2", const std::wstring& extra = L"") {
    std::wstring s = L"version 12.00.00.55\n";
    for (const std::wstring name : {L"normal", L"EngChinNormal"}) {
        s += L"file " + kDir + name + L".dft\ntype 2\npropertyset Custom\nsheet background 8 A3\nitem " + name +
             L" A3\nsheet background 4 A4\nitem " + name + L" A4\nend\n";
    }
    return s + L"document " + kDrawing + L"\ntype " + activeType +
           L"\npropertyset Custom\nproperty SAPName=4711\nsheet working 4 Blatt1\nitem Welle Ansicht\n"
           L"sheet background 4 H1\nitem alt A4\nsheet background 8 H2\nitem alt A3\n" + extra + L"end\n";
}

const std::wstring kLostSheet = L"sheet background 2 H3\nitem alt A2\n";

std::wstring box(int32_t style, const std::wstring& title, const std::wstring& text, int32_t answer = 1) {
    return L"box " + std::to_wstring(style) + L" [" + title + L"] \"" + text + L"\" -> " + std::to_wstring(answer) +
           L"\n";
}
std::wstring dialog(int32_t answer) { return L"dialog -> " + std::to_wstring(answer) + L"\n"; }

const std::wstring kConfirm =
    L"Beim Tauschen der Hintergrundblätter kann die Zeichnung zerstört werden.\r\nevtl. die Datei vorher "
    L"speichern!\r\n\r\nHintergrundblätter tauschen?";
const std::wstring kMissing =
    L"Draftvorlage konnte nicht gefunden werden!\r\nBitte wenden Sie sich an den Administrator.";
const std::wstring kNotOpen = L"SolidEdge ist nicht geöffnet!\r\nHintergrundblätter können nicht getuascht werden";
const std::wstring kTwice = L"SolidEdge ist mehrfach gestartet!\r\nHintergrundblätter können nicht getauscht werden";
const std::wstring kNoProperties = L"Dateieigenschaften für SAP-Schriftfeld konnten nicht angelegt werden";
const std::wstring kNoDrawing = L"Das aktive Dokument ist keine Zeichnung!\r\nHintergrundblätter können nicht getauscht werden";

using Sheets = std::vector<std::wstring>;
const Sheets kOld{L"4: alt A4", L"8: alt A3"};
const Sheets kNormal{L"4: normal A4", L"8: normal A3"};
const Sheets kEngChin{L"4: EngChinNormal A4", L"8: EngChinNormal A3"};

// Answers the boxes from a script (OK beyond it) and writes every window it shows as a transcript line.
struct ScriptedUi : UserInterface {
    int32_t auswahl = 0;
    std::deque<int32_t> answers;
    std::wstring transcript;
    std::function<void()> whileBoxShown;

    int32_t messageBox(const std::wstring& text, int32_t style, const std::wstring& title) override {
        if (whileBoxShown) whileBoxShown();
        const int32_t answer = answers.empty() ? mb::AnswerOk : answers.front();
        if (!answers.empty()) answers.pop_front();
        transcript += box(style, title, text, answer);
        return answer;
    }
    int32_t chooseTemplate() override {
        transcript += dialog(auswahl);
        return auswahl;
    }
};

// A file system that runs out of memory while testing the first template.
struct Exhausted : PosixFileSystem {
    using PosixFileSystem::PosixFileSystem;
    bool fileExists(const std::wstring&) override { throw std::bad_alloc(); }
};

enum class Files { Share, None, Exhausted };

class MainRun : public ::testing::Test {
protected:
    ScratchDrives scratch;
    std::shared_ptr<FakeProcessTable> processes;
    std::shared_ptr<edgesim::Simulator> sim;
    ScriptedUi ui;

    void SetUp() override { scratch.addShare(L"\\\\fileserver\\daten"); }

    // One run with a fresh user interface and process table, the named templates on the share.
    int32_t run(const std::wstring& scenario, std::vector<ProcessEntry> census = {{L"explorer.exe", 1}, {L"Edge.exe", 2}},
                bool normal = true, bool engChin = true, Files files = Files::Share) {
        for (const auto& [present, name] : {std::pair{normal, L"normal.dft"}, std::pair{engChin, L"EngChinNormal.dft"}}) {
            if (present) scratch.writeFile(kDir + name, "Vorlage");
            else std::remove(scratch.hostPath(kDir + name).c_str());
        }
        processes = std::make_shared<FakeProcessTable>();
        processes->entries = std::move(census);
        sim = edgesim::Simulator::fromScenario(scenario);
        std::shared_ptr<FileSystem> fileSystem;
        if (files == Files::Share) fileSystem = scratch.fileSystem();
        if (files == Files::Exhausted) fileSystem = std::make_shared<Exhausted>(PosixFileSystem::Config{});
        return Main(ui, {fileSystem, processes, std::make_shared<edgesim::InProcessBinder>(sim)});
    }

    Sheets background() const {
        Sheets out;
        for (const auto& sheet : sim->findDocument(kDrawing)->content().backgroundSheets) {
            std::wstring line = std::to_wstring(sheet.size) + L":";
            for (const auto& item : sheet.items) line += L" " + item;
            out.push_back(line);
        }
        return out;
    }
    size_t teardowns() const {
        size_t n = 0;
        for (const auto& call : sim->calls()) n += call.kind == edgesim::CallKind::Put && call.id == 18 ? 1u : 0u;
        return n;
    }
};

TEST_F(MainRun, RunsThatEndBeforeTheCadApplicationIsContacted) {
    const std::vector<ProcessEntry> one = {{L"Edge.exe", 200}};
    const struct {
        const char* what;
        bool normal, engChin;
        std::vector<ProcessEntry> census;
        Files files;
        int32_t exitCode;
        std::wstring transcript;
        int snapshots;
    } cases[] = {
        {"normal.dft missing", false, true, one, Files::Share, exitcode::TemplateMissing, box(16, L"Warnung", kMissing), 0},
        {"EngChinNormal.dft missing", true, false, one, Files::Share, exitcode::TemplateMissing,
         box(16, L"Warnung", kMissing), 0},
        {"no process", true, true, {{L"msedge.exe", 1}}, Files::Share, exitcode::SolidEdgeNotRunning,
         box(64, L"Korvane", kNotOpen), 1},
        {"two processes", true, true, {{L"Edge.exe", 1}, {L"EdgeSim.exe", 2}}, Files::Share,
         exitcode::SolidEdgeRunningTwice, box(64, L"Korvane", kTwice), 1},
        {"cancel in the confirmation", true, true, one, Files::Share, exitcode::Cancelled,
         dialog(0) + box(65, L"Achtung", kConfirm, mb::AnswerCancel), 1},
        {"no file service (429)", true, true, one, Files::None, exitcode::Error,
         box(16, L"Korvane", L"Laufzeitfehler '429':\r\n\r\nObjekterstellung durch ActiveX-Komponente nicht möglich"), 0},
        {"out of memory is an error, not a crash", true, true, one, Files::Exhausted, exitcode::Error,
         box(16, L"Korvane", L"Laufzeitfehler '7':\r\n\r\nNicht genügend Speicher"), 0},
    };
    for (const auto& c : cases) {
        ui = ScriptedUi{};
        if (c.exitCode == exitcode::Cancelled) ui.answers = {mb::AnswerCancel};
        EXPECT_EQ(run(world(), c.census, c.normal, c.engChin, c.files), c.exitCode) << c.what;
        EXPECT_EQ(ui.transcript, c.transcript) << c.what;
        EXPECT_EQ(processes->snapshots, c.snapshots) << c.what << ": census taken";
        EXPECT_TRUE(sim->calls().empty()) << c.what << ": the CAD application was contacted";
    }
}

// A notice that ends a good run is read with the CAD application already given its settings back; the
// error box comes first, because the teardown after an error may have to wait for a CAD application that
// does not answer, and the user should see what happened meanwhile.
TEST_F(MainRun, RunsThatReachTheCadApplication) {
    const std::wstring kOneLost = L"1 Hintergrundblatt wurde nicht getauscht:\r\nDie Vorlage hat kein Blatt seiner Größe.";
    const std::wstring kTwoLost = L"2 Hintergrundblätter wurden nicht getauscht:\r\nDie Vorlage hat kein Blatt ihrer Größe.";
    const struct {
        const char* what;
        std::wstring scenario;
        int32_t auswahl;
        int32_t exitCode;
        std::wstring lastBox;       // after the confirmation
        bool teardownBeforeLastBox;
        Sheets background;
        size_t properties;          // in the drawing's Custom set afterwards
    } cases[] = {
        {"Normal", world(), 0, exitcode::Done, L"", false, kNormal, 17},
        {"eng.chin.Normal", world(), 1, exitcode::Done, L"", false, kEngChin, 17},
        {"title-block properties refused", world() + L"refuse-add *\n", 0, exitcode::Done,
         box(64, L"Achtung", kNoProperties), false, kNormal, 1},
        {"a part is active", world(L"1"), 0, exitcode::NotADrawing, box(64, L"Korvane", kNoDrawing), true, kOld, 1},
        {"one sheet without partner", world(L"2", kLostSheet), 0, exitcode::Done, box(64, L"Achtung", kOneLost), true,
         {kNormal[0], kNormal[1], L"2: alt A2"}, 17},
        {"two sheets without partner", world(L"2", kLostSheet + L"sheet background 3 H4\n"), 0,
         exitcode::Done, box(64, L"Achtung", kTwoLost), true, {kNormal[0], kNormal[1], L"2: alt A2", L"3:"}, 17},
        {"error from the CAD application", world() + L"fault Application 79 at 3 error 440 Befehl fehlgeschlagen\n", 0,
         exitcode::Error, box(16, L"Korvane", L"Laufzeitfehler '440':\r\n\r\nBefehl fehlgeschlagen"), false, kOld, 17},
    };
    for (const auto& c : cases) {
        ui = ScriptedUi{};
        ui.auswahl = c.auswahl;
        bool teardownAtLastBox = false;
        ui.whileBoxShown = [&] { teardownAtLastBox = teardowns() > 0; };
        EXPECT_EQ(run(c.scenario), c.exitCode) << c.what;
        EXPECT_EQ(ui.transcript, dialog(c.auswahl) + box(65, L"Achtung", kConfirm) + c.lastBox) << c.what;
        EXPECT_EQ(teardownAtLastBox, c.teardownBeforeLastBox) << c.what << ": teardown before the last box";
        EXPECT_EQ(teardowns(), 1u) << c.what << ": teardown runs once";
        EXPECT_TRUE(sim->setting(18) && sim->setting(29)) << c.what << ": settings back on";
        EXPECT_FALSE(sim->hasQuit()) << c.what << ": the running CAD application was ended";
        EXPECT_EQ(background(), c.background) << c.what;
        EXPECT_EQ(sim->findDocument(kDrawing)->content().propertySet(L"Custom")->properties.size(), c.properties)
            << c.what << ": title-block properties";
    }
}

// korvane.exe ends as soon as Main returns; a reference into the CAD application still held then would
// be cut off by the process's end instead of being released, and a real Solid Edge would keep the
// object alive. In process, a reference Main kept shows as a use count above that of a simulator no
// program has talked to.
TEST_F(MainRun, NoReferenceIntoTheCadApplicationOutlivesMain) {
    const struct {
        const char* what;
        std::wstring scenario;
        int32_t exitCode;
    } cases[] = {
        {"exchange", world(), exitcode::Done},
        {"title-block properties refused", world() + L"refuse-add *\n", exitcode::Done},
        {"sheet without partner", world(L"2", kLostSheet), exitcode::Done},
        {"a part is active", world(L"1"), exitcode::NotADrawing},
        {"error from the CAD application", world() + L"fault Application 79 at 3 error 440\n", exitcode::Error},
    };
    for (const auto& c : cases) {
        const auto untouched = edgesim::Simulator::fromScenario(c.scenario);
        const long application = untouched->applicationDispatch().use_count();
        const long drawing = untouched->findDocument(kDrawing).use_count();
        ui = ScriptedUi{};
        ASSERT_EQ(run(c.scenario), c.exitCode) << c.what;
        EXPECT_EQ(sim->applicationDispatch().use_count(), application) << c.what << ": the application is still held";
        EXPECT_EQ(sim->findDocument(kDrawing).use_count(), drawing) << c.what << ": the drawing is still held";
    }
}

}  // namespace
}  // namespace korvane

#endif
