#include "SimFixture.h"
#include "model/InProcessBinder.h"
#include "model/MemoryUse.h"

using namespace simtest;

namespace {

constexpr uint64_t kMegabyte = 1024 * 1024;

// Three inline drawings D1..D3 and the scenario lines given.
std::shared_ptr<edgesim::Simulator> withDrawings(const std::wstring& lines) {
    std::wstring scenario = lines;
    for (int i = 1; i <= 3; ++i)
        scenario += L"file C:\\D" + std::to_wstring(i) + L".dft\n  type 2\n  sheet working 4 Blatt1\nend\n";
    return edgesim::Simulator::fromScenario(scenario);
}

Object openDrawing(const Object& app, int i) {
    return app.getObject(21).callObject(6, {Variant(L"C:\\D" + std::to_wstring(i) + L".dft")});
}

}  // namespace

TEST(Window, OnlyAnInstanceNobodyMadeVisibleLacksOne) {
    struct Case {
        const char* name;
        const wchar_t* scenario;
        bool create;          // bound through creation (automation) rather than to the running one
        bool visibleAtFirst;
    } cases[] = {
        {"the user's, bound", L"running yes\n", false, true},
        {"the user's, created again", L"running yes\n", true, true},
        {"started by automation", L"running no\n", true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto sim = withDrawings(c.scenario);
        edgesim::InProcessBinder binder(sim);
        Object app = c.create ? binder.createObject(edgesim::kProgId) : binder.getActiveObject(edgesim::kProgId);
        openDrawing(app, 1);
        EXPECT_EQ(c.visibleAtFirst, app.get(L"Visible").toBool());
        const int32_t windowError = errorOf([&] { app.getObject(8).getObject(L"SelectSet"); });
        EXPECT_EQ(c.visibleAtFirst ? 0 : edgesim::err::Fail, windowError) << "ActiveWindow answered otherwise";
        app.put(L"Visible", Variant::boolean(true));
        EXPECT_EQ(0, errorOf([&] { app.getObject(8).getObject(L"SelectSet"); })) << "no window once visible";
        EXPECT_NE(std::wstring::npos, sim->stateText().find(L"\n  visible yes\n"));
    }
}

TEST(Memory, EachOpenLeavesRealMemoryBehind) {
    auto sim = withDrawings(L"memory-per-open 16 MB\n");
    Object app = sim->application();
    const uint64_t before = edgesim::processWorkingSet();
    ASSERT_GT(before, 0u) << "the platform gave no working set";
    for (int i = 1; i <= 3; ++i) openDrawing(app, i);
    // Opening a document already open opens nothing.
    openDrawing(app, 1);
    const uint64_t grown = edgesim::processWorkingSet() - before;
    EXPECT_GE(grown, 44 * kMegabyte) << "working set grew by " << grown / kMegabyte << " MB only";
    EXPECT_LT(grown, 60 * kMegabyte) << "working set grew by " << grown / kMegabyte << " MB";
    EXPECT_NE(std::wstring::npos, sim->stateText().find(L"\n  memory-left 48 MB\n"));
}

TEST(Memory, AboveTheLimitTheNextOpenEndsTheApplication) {
    // The limit counts the working set a meter reports: here, what the model left behind, plus 5 MB.
    struct Case {
        const wchar_t* lines;
        int opensThatWork;  // of three
    } cases[] = {
        {L"memory-per-open 2 MB\nworking-set-limit 9 MB\n", 3},
        {L"memory-per-open 2 MB\nworking-set-limit 8 MB\n", 2},
        {L"memory-per-open 2 MB\nworking-set-limit 6 MB\n", 1},
        {L"memory-per-open 2 MB\nworking-set-limit 5000 KB\n", 0},
        {L"memory-per-open 0 MB\nworking-set-limit 6 MB\n", 3},
        {L"memory-per-open 4 MB\n", 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(korvane::toUtf8(c.lines));
        auto sim = withDrawings(c.lines);
        edgesim::Simulator* measured = sim.get();
        sim->setWorkingSetMeter([measured] { return measured->memoryLeftBehind() + 5 * kMegabyte; });
        Object app = sim->application();
        int worked = 0;
        int32_t error = 0;
        for (int i = 1; i <= 3 && error == 0; ++i) {
            error = errorOf([&] { openDrawing(app, i); });
            worked += error == 0 ? 1 : 0;
        }
        EXPECT_EQ(c.opensThatWork, worked);
        EXPECT_EQ(c.opensThatWork < 3, sim->endedAbruptly());
        EXPECT_EQ(c.opensThatWork < 3 ? edgesim::err::CallFailed : 0, error);
    }
}

TEST(Memory, AmountsNeedAUnit) {
    for (const wchar_t* line : {L"memory-per-open 4", L"memory-per-open 4 GB", L"working-set-limit -1 MB",
                                L"working-set-limit MB", L"memory-per-open 4 MB extra"}) {
        EXPECT_EQ(edgesim::err::Fail, errorOf([&] { edgesim::Simulator::fromScenario(std::wstring(line) + L"\n"); }))
            << korvane::toUtf8(line);
    }
}
