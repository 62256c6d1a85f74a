// The start-up procedure end to end in process: the scripted user interface, the POSIX file system
// with the template share, a scripted process table and the simulated CAD application.
#ifndef _WIN32

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "app/FakeProcessTable.h"
#include "app/ScriptedUserInterface.h"
#include "app/modMain.h"
#include "automation/AutomationBinder.h"
#include "automation/TextConvert.h"
#include "files/posix/PosixFileSystem.h"
#include "files/posix/ScratchDrives.h"
#include "model/Simulator.h"

namespace korvane {
namespace {

using test::FakeProcessTable;
using test::ScriptedUserInterface;

const std::wstring kDir = L"\\\\fileserver\\daten\\Admin\\Vorlagen\\SeV12\\";
const std::wstring kNormal = kDir + L"normal.dft";
const std::wstring kEngChin = kDir + L"EngChinNormal.dft";
const std::wstring kDrawing = L"C:\\Zeichnungen\\Welle.dft";

// The drawing has background sheets of sizes 4 and 8; both templates have 8 and 4 (in that order).
// `extraSheet` adds a background sheet of a size no template has.
std::wstring world(const std::wstring& activeType = L"2", const std::wstring& extra = L"") {
    return LR"(
version 12.00.00.55
file \\fileserver\daten\Admin\Vorlagen\SeV12\normal.dft
  type 2
  propertyset Custom
  sheet background 8 Hintergrund A3
    item Rahmen A3 normal
    item Schriftfeld normal
  sheet background 4 Hintergrund A4
    item Rahmen A4 normal
end
file \\fileserver\daten\Admin\Vorlagen\SeV12\EngChinNormal.dft
  type 2
  propertyset Custom
  sheet background 8 Hintergrund A3
    item Rahmen A3 engchin
  sheet background 4 Hintergrund A4
    item Rahmen A4 engchin
    item Schriftfeld engchin
end
document C:\Zeichnungen\Welle.dft
  type )" + activeType + LR"(
  propertyset Custom
    property SAPName=4711
  sheet working 4 Blatt1
    item Welle Ansicht
  sheet background 4 Hintergrund 1
    item Rahmen A4 alt
  sheet background 8 Hintergrund 2
    item Rahmen A3 alt
    item Schriftfeld alt
)" + extra + LR"(
end
)";
}

const std::wstring kLostSheet = L"  sheet background 2 Hintergrund 3\n    item Rahmen A2 alt\n";

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

class MainRun : public ::testing::Test {
protected:
    ScratchDrives scratch;
    std::shared_ptr<FakeProcessTable> processes = std::make_shared<FakeProcessTable>();
    std::shared_ptr<edgesim::Simulator> sim;
    ScriptedUserInterface ui;
    bool haveNormal = true;
    bool haveEngChin = true;
    // Made when the run starts, so that it sees the template files written for it.
    std::function<std::shared_ptr<FileSystem>()> fileSystem = [this] { return scratch.fileSystem(); };

    void SetUp() override {
        scratch.addShare(L"\\\\fileserver\\daten");
        processes->entries = std::vector<ProcessEntry>{{L"explorer.exe", 100}, {L"Edge.exe", 200}};
    }

    int32_t run(const std::wstring& scenario) {
        if (haveNormal) scratch.writeFile(kNormal, "Vorlage");
        if (haveEngChin) scratch.writeFile(kEngChin, "Vorlage");
        sim = edgesim::Simulator::fromScenario(scenario);
        const PlatformServices services{fileSystem ? fileSystem() : nullptr, processes,
                                        std::make_shared<edgesim::InProcessBinder>(sim)};
        return Main(ui, services);
    }

    std::vector<std::wstring> background(const std::wstring& document) const {
        std::vector<std::wstring> items;
        for (const auto& sheet : sim->findDocument(document)->content().backgroundSheets) {
            std::wstring line = std::to_wstring(sheet.size) + L":";
            for (const auto& item : sheet.items) line += L" " + item + L";";
            items.push_back(line);
        }
        return items;
    }

    size_t dashProperties() const {
        size_t n = 0;
        for (const auto& p : sim->findDocument(kDrawing)->content().propertySet(L"Custom")->properties) {
            if (p.value == L"-") ++n;
        }
        return n;
    }
};

TEST_F(MainRun, TheChosenTemplateReplacesEveryBackgroundSheetBySize) {
    struct Case {
        int32_t auswahl;
        std::vector<std::wstring> background;
    };
    const Case cases[] = {
        {0, {L"4: Rahmen A4 normal;", L"8: Rahmen A3 normal; Schriftfeld normal;"}},
        {1, {L"4: Rahmen A4 engchin; Schriftfeld engchin;", L"8: Rahmen A3 engchin;"}},
        {7, {L"4: Rahmen A4 normal;", L"8: Rahmen A3 normal; Schriftfeld normal;"}},   // any other index: normal.dft
        {-1, {L"4: Rahmen A4 normal;", L"8: Rahmen A3 normal; Schriftfeld normal;"}},
    };
    for (const auto& c : cases) {
        ui = ScriptedUserInterface{};
        ui.dialogAnswer = c.auswahl;
        EXPECT_EQ(run(world()), exitcode::Done) << "Auswahl " << c.auswahl;
        EXPECT_EQ(ui.describe(), dialog(c.auswahl) + box(65, L"Achtung", kConfirm)) << "Auswahl " << c.auswahl;
        EXPECT_EQ(background(kDrawing), c.background) << "Auswahl " << c.auswahl;
        EXPECT_EQ(dashProperties(), 16u) << "Auswahl " << c.auswahl;
        EXPECT_TRUE(sim->setting(18) && sim->setting(29)) << "settings back on, Auswahl " << c.auswahl;
        EXPECT_FALSE(sim->hasQuit()) << "the running CAD application stays, Auswahl " << c.auswahl;
        EXPECT_EQ(sim->commands(), (std::vector<int32_t>{10211, 57634, 10211, 10100, 57637, 10211, 57634, 10211,
                                                         10100, 57637, 10212}))
            << "Auswahl " << c.auswahl;
    }
}

TEST_F(MainRun, TheExchangeGetsTheDirectoryAndFileNameWithOneBackslash) {
    ui.dialogAnswer = 1;
    ASSERT_EQ(run(world()), exitcode::Done);
    bool opened = false;
    for (const auto& call : sim->calls()) {
        if (call.objectKind == L"Documents" && call.id == 6) {
            opened = true;
            ASSERT_EQ(call.arguments.size(), 1u);
            EXPECT_NE(call.arguments[0].find(L"\\\\fileserver\\daten\\Admin\\Vorlagen\\SeV12\\EngChinNormal.dft"),
                      std::wstring::npos)
                << toUtf8(call.arguments[0]);
            EXPECT_EQ(call.arguments[0].find(L"SeV12\\\\"), std::wstring::npos) << toUtf8(call.arguments[0]);
        }
    }
    EXPECT_TRUE(opened) << "the template was opened";
    EXPECT_EQ(templateDirectory(), kDir);
}

TEST_F(MainRun, FatalChecksEndBeforeAnythingIsTouched) {
    struct Case {
        const char* what;
        bool normal;
        bool engChin;
        std::vector<ProcessEntry> processes;
        int32_t exitCode;
        std::wstring transcript;
        int snapshots;
    };
    const std::vector<ProcessEntry> one = {{L"Edge.exe", 200}};
    const Case cases[] = {
        {"normal.dft missing", false, true, one, exitcode::TemplateMissing, box(16, L"Warnung", kMissing), 0},
        {"EngChinNormal.dft missing", true, false, one, exitcode::TemplateMissing, box(16, L"Warnung", kMissing), 0},
        {"both missing", false, false, one, exitcode::TemplateMissing, box(16, L"Warnung", kMissing), 0},
        {"no process", true, true, {{L"msedge.exe", 1}}, exitcode::SolidEdgeNotRunning,
         box(64, L"Korvane", kNotOpen), 1},
        {"two processes", true, true, {{L"Edge.exe", 1}, {L"EdgeSim.exe", 2}}, exitcode::SolidEdgeRunningTwice,
         box(64, L"Korvane", kTwice), 1},
    };
    for (const auto& c : cases) {
        ui = ScriptedUserInterface{};
        haveNormal = c.normal;
        haveEngChin = c.engChin;
        std::remove(scratch.hostPath(kNormal).c_str());
        std::remove(scratch.hostPath(kEngChin).c_str());
        processes = std::make_shared<FakeProcessTable>();
        processes->entries = c.processes;
        EXPECT_EQ(run(world()), c.exitCode) << c.what;
        EXPECT_EQ(ui.describe(), c.transcript) << c.what;
        EXPECT_EQ(processes->snapshots, c.snapshots) << c.what << ": census taken";
        EXPECT_TRUE(sim->calls().empty()) << c.what << ": the CAD application was contacted";
    }
}

TEST_F(MainRun, CancelInTheConfirmationEndsWithoutTouchingTheCadApplication) {
    ui.dialogAnswer = 1;
    ui.boxAnswers = {mb::AnswerCancel};
    EXPECT_EQ(run(world()), exitcode::Cancelled);
    EXPECT_EQ(ui.describe(), dialog(1) + box(65, L"Achtung", kConfirm, 2));
    EXPECT_TRUE(sim->calls().empty()) << "no binding, no call";
    EXPECT_EQ(background(kDrawing), (std::vector<std::wstring>{L"4: Rahmen A4 alt;", L"8: Rahmen A3 alt; Schriftfeld alt;"}));
}

TEST_F(MainRun, RefusedTitleBlockPropertiesAreReportedAndTheExchangeStillRuns) {
    const std::wstring scenario = world() + L"refuse-add *\n";
    EXPECT_EQ(run(scenario), exitcode::Done);
    EXPECT_EQ(ui.describe(), dialog(0) + box(65, L"Achtung", kConfirm) + box(64, L"Achtung", kNoProperties));
    EXPECT_EQ(background(kDrawing),
              (std::vector<std::wstring>{L"4: Rahmen A4 normal;", L"8: Rahmen A3 normal; Schriftfeld normal;"}));
}

TEST_F(MainRun, AnActiveDocumentThatIsNoDrawingIsLeftAsItIsAndTheUserIsTold) {
    for (const wchar_t* type : {L"1", L"3", L"4"}) {  // part, assembly, sheet metal
        ui = ScriptedUserInterface{};
        EXPECT_EQ(run(world(type)), exitcode::NotADrawing) << "type " << toUtf8(type);
        EXPECT_EQ(ui.describe(), dialog(0) + box(65, L"Achtung", kConfirm) + box(64, L"Korvane", kNoDrawing))
            << "type " << toUtf8(type);
        const auto* custom = sim->findDocument(kDrawing)->content().propertySet(L"Custom");
        ASSERT_NE(custom, nullptr);
        ASSERT_EQ(custom->properties.size(), 1u) << "properties were written into a document of type " << toUtf8(type);
        EXPECT_EQ(custom->properties[0].value, L"4711");
        EXPECT_FALSE(sim->findDocument(kDrawing)->modified()) << "type " << toUtf8(type);
        EXPECT_TRUE(sim->commands().empty()) << "type " << toUtf8(type);
        EXPECT_EQ(sim->idleCallCount(), 0u) << "the exchange ran, type " << toUtf8(type);
        EXPECT_TRUE(sim->setting(18) && sim->setting(29)) << "settings back on, type " << toUtf8(type);
        EXPECT_EQ(background(kDrawing),
                  (std::vector<std::wstring>{L"4: Rahmen A4 alt;", L"8: Rahmen A3 alt; Schriftfeld alt;"}));
    }
}

// A notice that ends a good run is read with the CAD application already given its settings back; the
// error box comes first, because the teardown after an error may have to wait for a CAD application that
// does not answer, and the user should see what happened meanwhile.
TEST_F(MainRun, TheTeardownRunsBeforeANoticeButAfterTheErrorBox) {
    struct Case {
        const char* what;
        std::wstring scenario;
        int32_t exitCode;
        bool teardownBeforeLastBox;
    };
    const Case cases[] = {
        {"error", world() + L"fault Application 79 at 3 error 440\n", exitcode::Error, false},
        {"active document no drawing", world(L"1"), exitcode::NotADrawing, true},
        {"sheet without partner", world(L"2", kLostSheet), exitcode::Done, true},
    };
    const auto teardownCalls = [this] {
        size_t n = 0;
        for (const auto& call : sim->calls()) n += call.kind == edgesim::CallKind::Put && call.id == 18 ? 1u : 0u;
        return n;
    };
    for (const auto& c : cases) {
        ui = ScriptedUserInterface{};
        size_t teardownAtLastBox = 99;
        ui.whileBoxShown = [&](const std::wstring&) { teardownAtLastBox = teardownCalls(); };
        ASSERT_EQ(run(c.scenario), c.exitCode) << c.what;
        EXPECT_EQ(teardownAtLastBox, c.teardownBeforeLastBox ? 1u : 0u) << c.what << ": teardown before the last box";
        EXPECT_EQ(teardownCalls(), 1u) << c.what << ": teardown runs once";
    }
}

TEST_F(MainRun, SheetsWithoutTemplatePartnerAreLeftAndNoted) {
    struct Case {
        std::wstring extra;
        std::wstring notice;
    };
    const Case cases[] = {
        {kLostSheet, L"1 Hintergrundblatt wurde nicht getauscht:\r\nDie Vorlage hat kein Blatt seiner Größe."},
        {kLostSheet + L"  sheet background 3 Hintergrund 4\n",
         L"2 Hintergrundblätter wurden nicht getauscht:\r\nDie Vorlage hat kein Blatt ihrer Größe."},
    };
    for (const auto& c : cases) {
        ui = ScriptedUserInterface{};
        EXPECT_EQ(run(world(L"2", c.extra)), exitcode::Done);
        EXPECT_EQ(ui.describe(), dialog(0) + box(65, L"Achtung", kConfirm) + box(64, L"Achtung", c.notice));
        const auto sheets = background(kDrawing);
        ASSERT_GE(sheets.size(), 3u);
        EXPECT_EQ(sheets[2], L"2: Rahmen A2 alt;") << "the sheet without partner keeps its content";
        EXPECT_EQ(sheets[0], L"4: Rahmen A4 normal;");
        EXPECT_TRUE(sim->setting(18) && sim->setting(29)) << "settings are back before the notice";
    }
}

TEST_F(MainRun, AnErrorFromTheCadApplicationIsReportedAndTheSettingsComeBack) {
    const std::wstring scenario = world() + L"fault Application 79 at 3 error 440 Befehl fehlgeschlagen\n";
    EXPECT_EQ(run(scenario), exitcode::Error);
    EXPECT_EQ(ui.describe(), dialog(0) + box(65, L"Achtung", kConfirm) +
                                 box(16, L"Korvane", L"Laufzeitfehler '440':\r\n\r\nBefehl fehlgeschlagen"));
    EXPECT_TRUE(sim->setting(29)) << "the exchange gives setting 29 back when it fails";
    EXPECT_TRUE(sim->setting(18)) << "the drawing object's teardown ran";
    EXPECT_FALSE(sim->hasQuit()) << "a CAD application that was running is not ended";
}

TEST_F(MainRun, AnErrorBeforeTheDrawingObjectExistsIsReportedToo) {
    // Without a file system the file-service object cannot be created (429).
    fileSystem = nullptr;
    EXPECT_EQ(run(world()), exitcode::Error);
    ASSERT_EQ(ui.transcript.size(), 1u);
    EXPECT_EQ(ui.transcript[0].style, 16);
    EXPECT_EQ(ui.transcript[0].title, L"Korvane");
    EXPECT_EQ(ui.transcript[0].text.rfind(L"Laufzeitfehler '429':\r\n\r\n", 0), 0u) << toUtf8(ui.transcript[0].text);
}

TEST_F(MainRun, OutOfMemoryIsReportedLikeAnyOtherErrorNotAsACrash) {
    // A file system that runs out of memory while testing the first template.
    struct Exhausted : PosixFileSystem {
        using PosixFileSystem::PosixFileSystem;
        bool fileExists(const std::wstring&) override { throw std::bad_alloc(); }
    };
    fileSystem = [] { return std::make_shared<Exhausted>(PosixFileSystem::Config{}); };
    EXPECT_EQ(run(world()), exitcode::Error);
    ASSERT_EQ(ui.transcript.size(), 1u);
    EXPECT_EQ(ui.transcript[0].text, L"Laufzeitfehler '7':\r\n\r\nNicht genügend Speicher");
}

TEST(ErrorReport, ShowsNumberAndDescriptionAndTheHexFormOfHresults) {
    struct Case {
        int32_t number;
        std::wstring description;
        std::wstring expected;
    };
    const Case cases[] = {
        {91, L"Objektvariable nicht festgelegt", L"Laufzeitfehler '91':\r\n\r\nObjektvariable nicht festgelegt"},
        {static_cast<int32_t>(0x80010001u), L"Aufruf abgelehnt",
         L"Laufzeitfehler '-2147418111 (80010001)':\r\n\r\nAufruf abgelehnt"},
        {0, L"", L"Laufzeitfehler '0':\r\n\r\n"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(errorReport(AutomationError(c.number, c.description)), c.expected) << c.number;
    }
}

}  // namespace
}  // namespace korvane

#endif
