#include <filesystem>
#include <fstream>

#include "SimFixture.h"
#include "model/DocumentFormat.h"
#include "model/FilePath.h"
#include "model/FileStore.h"

using namespace simtest;
using edgesim::DocumentContent;
using edgesim::DocumentFormat;

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
        {false, L"fault PropertySet Item substitute", L"substitute <Text>"},
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
