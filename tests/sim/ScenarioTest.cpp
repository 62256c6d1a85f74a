#include <filesystem>
#include <fstream>

#include "SimFixture.h"
#include "model/DocumentFormat.h"
#include "model/FilePath.h"
#include "model/FileStore.h"

using namespace simtest;
using edgesim::DocumentContent;
using edgesim::DocumentFormat;

TEST(Scenario, BindingFollowsRunningAndProgramId) {
    // Which running and startable states bind is pinned by the CAD service tests; here what they rely on.
    auto sim = edgesim::Simulator::fromScenario(L"running no");
    auto binder = std::make_shared<edgesim::InProcessBinder>(sim);
    EXPECT_EQ(errorOf([&] { binder->getActiveObject(edgesim::kProgId); }), korvane::rt::CannotCreateObject);
    EXPECT_EQ(errorOf([&] { binder->createObject(L"solidedge.application"); }), 0) << "the program id ignores letter case";
    EXPECT_EQ(errorOf([&] { binder->getActiveObject(edgesim::kProgId); }), 0) << "started means running";
    EXPECT_EQ(errorOf([&] { binder->createObject(edgesim::kProgId); }), 0);
    EXPECT_EQ(sim->startCount(), 2u) << "a request to create starts anew even while one runs";
    EXPECT_EQ(errorOf([&] { binder->getActiveObject(L"Excel.Application"); }), korvane::rt::CannotCreateObject);
}

TEST(Scenario, MalformedScenariosAndDocumentsNameTheirLine) {
    struct Case {
        bool document;  // a document file, else a scenario
        const wchar_t* text;
        const wchar_t* expected;
    } cases[] = {
        {true, L"type zwei", L"Zeile 1"},
        {true, L"property A=1", L"Zeile 1"},
        {true, L"propertyset Custom\nproperty =1", L"Zeile 2"},
        {true, L"propertyset Custom\nproperty ohne", L"Zeile 2"},
        {true, L"item lose", L"Zeile 1"},
        {true, L"\n\nsheet oben 8 A", L"Zeile 3"},
        {true, L"sheet working acht A", L"Zeile 1"},
        {true, L"sheet working 8", L"Zeile 1"},
        {true, L"blatt x", L"Zeile 1"},
        {false, L"running vielleicht", L"Zeile 1"},
        {false, L"version 1\nlaufen yes", L"Zeile 2"},
        {false, L"document C:\\a.dft\n  type 2\n", L"\"end\" fehlt"},
        {false, L"file\nend", L"Dateiname fehlt"},
        {false, L"open C:\\fehlt.dft", L"C:\\fehlt.dft"},
        {false, L"active C:\\zu.dft", L"Zeile 1"},
        {false, L"fault Application 79", L"Zeile 1"},
        {false, L"fault Application 79 at 0 crash", L"ab 1"},
        {false, L"fault Application 79 explode", L"Wirkung"},
        {false, L"fault Application 79 error", L"Fehlernummer"},
        {false, L"fault Application 79 error 0xZZ", L"Hexadezimalzahl"},
        {false, L"setting 18 vielleicht", L"Zeile 1"},
        {false, L"document C:\\a.dft\nend\ndocument c:\\A.DFT\nend", L"schon offen"},
    };
    for (const Case& c : cases) {
        try {
            c.document ? (void)DocumentFormat::parse(c.text, L"x.dft") : (void)edgesim::Simulator::fromScenario(c.text);
            ADD_FAILURE() << "accepted: " << korvane::toUtf8(c.text);
        } catch (const korvane::AutomationError& e) {
            EXPECT_THAT(e.description(), ::testing::HasSubstr(c.expected)) << korvane::toUtf8(c.text);
            if (c.document) { EXPECT_EQ(e.number(), edgesim::err::Fail) << korvane::toUtf8(c.text); }
        }
    }
}

TEST(Scenario, StateTextReportsDocumentsCountersAndTheLog) {
    auto sim = twoDrawings();
    Object app = sim->application();
    app.call(63);
    app.getObject(L"ActiveDocument").call(4213);
    app.call(L"StartCommand", {Variant::i4(10211)});
    std::wstring state = sim->stateText();
    const wchar_t* expectedLines[] = {
        L"application\n  version 12.00.00.55\n  running yes\n  started 0\n  quit no\n  ended-abruptly no\n",
        L"  setting 18 yes\n  setting 29 yes\n  idle-calls 1\n",
        L"  active C:\\Zeichnungen\\Welle.dft\n  commands 10211\n  clipboard 0\n",
        L"document C:\\Zeichnungen\\Welle.dft\n  modified no\n  view background\n"
        L"  current-sheet background Hintergrund 1\n  selection 0\n  title-block-updates 1\n  type 2\n",
        L"  sheet background 8 Hintergrund 2\n    item Rahmen A3 alt\n",
        L"calls 4\nlookups 2\nlog\n",
        L"  #1 Application call 63 DoIdle() -> ok\n",
        L"  #2 Application lookup \"ActiveDocument\" = 2 -> ok\n",
        L"  #4 Document(C:\\Zeichnungen\\Welle.dft) call 4213 UpdatePropertyTextDisplay() -> ok\n",
        L"  #6 Application call 79 StartCommand(I4 10211) -> ok\n",
    };
    for (const wchar_t* expected : expectedLines)
        EXPECT_NE(state.find(expected), std::wstring::npos) << "missing:\n" << korvane::toUtf8(expected) << "in:\n" << korvane::toUtf8(state);
    EXPECT_EQ(state.find(L"normal.dft"), std::wstring::npos) << "the template is not open";
    EXPECT_EQ(sim->fileStateText(L"C:\\nirgends.dft"), L"file C:\\nirgends.dft missing\n");
}

TEST(DocumentFormat, RoundTripKeepsEverything) {
    const wchar_t* text =
        L"\xFEFF# Zeichnung\r\n"
        L"type 2\r\n"
        L"propertyset Custom\n"
        L"  property DRAWING-PA-NAME= \n"
        L"  property Leer=\n"
        L"  property Formel=a=b\n"
        L"propertyset Summary\n"
        L"sheet working 8 Blatt 1\n"
        L"  item Welle  Ansicht\n"
        L"sheet background 8 Hintergrund 1\n"
        L"  item Rahmen A3 alt\n"
        L"  item Schriftfeld äöü\n"
        L"sheet background -1 Leer\n";
    DocumentContent content = DocumentFormat::parse(text, L"t.dft");
    EXPECT_EQ(content.property(L"Custom", L"DRAWING-PA-NAME")->value, L" ") << "trailing blank of the value lost";
    EXPECT_EQ(content.property(L"Custom", L"Leer")->value, L"");
    EXPECT_EQ(content.property(L"Custom", L"Formel")->value, L"a=b");
    EXPECT_EQ(content.workingSheets.at(0).name, L"Blatt 1");
    EXPECT_EQ(content.workingSheets.at(0).items.at(0), L"Welle  Ansicht");
    EXPECT_EQ(content.backgroundSheets.at(1).size, -1);

    std::wstring saved = DocumentFormat::format(content);
    EXPECT_EQ(DocumentFormat::format(DocumentFormat::parse(saved, L"t.dft")), saved);
    DocumentContent again = DocumentFormat::parse(saved, L"t.dft");
    EXPECT_EQ(again.backgroundSheets.at(0).items, content.backgroundSheets.at(0).items);
    EXPECT_EQ(again.propertySets.size(), 2u);
}

TEST(FileStore, SavesAndOpensRealFilesWithUnicodeNames) {
    std::filesystem::path dir = std::filesystem::temp_directory_path() / "edgesim-filestore-test";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    std::wstring file = dir.wstring() + L"/Zeichnung-\u00e4.dft";
    {
        std::ofstream out(edgesim::toFilePath(file), std::ios::binary);
        out << "\xEF\xBB\xBFtype 2\nsheet background 4 Hintergrund \xC3\xA4\n  item Rahmen\n";
    }
    auto store = std::make_shared<edgesim::FileStore>();
    auto sim = edgesim::Simulator::fromScenario(L"open " + file + L"\n", store);
    korvane::Object doc = sim->application().getObject(2);
    EXPECT_EQ(sim->activeDocument()->content().backgroundSheets.at(0).name, L"Hintergrund ä");
    sim->application().call(79, {korvane::Variant::i4(10211)});
    sim->application().getObject(8).getObject(L"SelectSet").call(L"AddAll");
    sim->application().call(79, {korvane::Variant::i4(10100)});
    doc.call(L"Save");
    EXPECT_EQ(*store->read(file), L"type 2\nsheet background 4 Hintergrund ä\n");
    EXPECT_FALSE(store->read((dir / "fehlt.dft").wstring()).has_value());
    EXPECT_FALSE(store->write((dir / "kein-ordner" / "x.dft").wstring(), L"type 1\n"));
    std::filesystem::remove_all(dir);
}
