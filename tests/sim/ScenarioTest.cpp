#include <gtest/gtest.h>

#include "SimFixture.h"
#include "model/SimError.h"

using namespace simtest;
using korvane::Object;
using korvane::Variant;

TEST(Scenario, BindingFollowsRunningAndStartable) {
    struct Case {
        const wchar_t* scenario;
        int32_t getActive;
        int32_t create;
        size_t starts;
    } cases[] = {
        {L"running yes", 0, 0, 1},
        {L"running no", korvane::rt::CannotCreateObject, 0, 1},
        {L"running no\nstartable no", korvane::rt::CannotCreateObject, korvane::rt::CannotCreateObject, 0},
    };
    for (const Case& c : cases) {
        auto sim = edgesim::Simulator::fromScenario(c.scenario);
        auto binder = std::make_shared<edgesim::InProcessBinder>(sim);
        EXPECT_EQ(errorOf([&] { binder->getActiveObject(edgesim::kProgId); }), c.getActive) << korvane::toUtf8(c.scenario);
        EXPECT_EQ(errorOf([&] { binder->createObject(L"solidedge.application"); }), c.create) << korvane::toUtf8(c.scenario);
        EXPECT_EQ(sim->startCount(), c.starts) << korvane::toUtf8(c.scenario);
        EXPECT_EQ(errorOf([&] { binder->getActiveObject(edgesim::kProgId); }), c.create) << "started means running";
        EXPECT_EQ(errorOf([&] { binder->getActiveObject(L"Excel.Application"); }), korvane::rt::CannotCreateObject);
    }
}

TEST(Scenario, MalformedScenariosNameTheirLine) {
    struct Case {
        const wchar_t* text;
        const wchar_t* expected;
    } cases[] = {
        {L"running vielleicht", L"Zeile 1"},
        {L"version 1\nlaufen yes", L"Zeile 2"},
        {L"document C:\\a.dft\n  type 2\n", L"\"end\" fehlt"},
        {L"file\nend", L"Dateiname fehlt"},
        {L"open C:\\fehlt.dft", L"C:\\fehlt.dft"},
        {L"active C:\\zu.dft", L"Zeile 1"},
        {L"fault Application 79", L"Zeile 1"},
        {L"fault Application 79 at 0 crash", L"ab 1"},
        {L"fault Application 79 explode", L"Wirkung"},
        {L"fault Application 79 error", L"Fehlernummer"},
        {L"fault Application 79 error 0xZZ", L"Hexadezimalzahl"},
        {L"setting 18 vielleicht", L"Zeile 1"},
        {L"document C:\\a.dft\nend\ndocument c:\\A.DFT\nend", L"schon offen"},
    };
    for (const Case& c : cases) {
        EXPECT_THAT([&] { edgesim::Simulator::fromScenario(c.text); }, raises(::testing::_, ::testing::HasSubstr(c.expected)))
            << korvane::toUtf8(c.text);
    }
}

TEST(Scenario, SettingsVersionAndActiveDocumentAreObservable) {
    auto sim = edgesim::Simulator::fromScenario(std::wstring(kTwoDrawings) +
                                                L"version 13.00.01\nsetting 29 no\nopen \\\\fileserver\\daten\\Admin\\Vorlagen\\SeV12\\normal.dft\nactive C:\\Zeichnungen\\Welle.dft\n");
    Object app = sim->application();
    EXPECT_EQ(app.get(58).toText(), L"13.00.01");
    EXPECT_FALSE(app.get(29).toBool());
    EXPECT_TRUE(app.get(18).toBool());
    app.put(18, Variant::boolean(false));
    app.put(L"ScreenUpdating", Variant::boolean(true));
    EXPECT_FALSE(sim->setting(18));
    EXPECT_TRUE(sim->setting(29));
    EXPECT_EQ(sim->documents().size(), 2u);
    EXPECT_EQ(sim->activeDocument()->fullName(), kDrawing);
    EXPECT_EQ(app.get(76).toLong(), 2);
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
