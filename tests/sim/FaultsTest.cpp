#include <chrono>
#include <future>
#include <thread>

#include "SimFixture.h"

using namespace simtest;

namespace {

// Sends command 10212 `times` times and gives the error of each call (0 for success).
std::vector<int32_t> commandOutcomes(const std::wstring& fault, int times) {
    auto sim = edgesim::Simulator::fromScenario(std::wstring(kTwoDrawings) + fault + L"\n");
    Object app = sim->application();
    std::vector<int32_t> out;
    for (int i = 0; i < times; ++i) out.push_back(errorOf([&] { app.call(79, {Variant::i4(10212)}); }));
    return out;
}

}  // namespace

TEST(Faults, FireAtTheScriptedCalls) {
    const int32_t e = 0x1234;
    struct Case {
        const wchar_t* fault;
        std::vector<int32_t> outcomes;
    } cases[] = {
        {L"fault Application 79 error 0x1234", {e, 0, 0, 0}},
        {L"fault Application 79 at 3 error 4660", {0, 0, e, 0}},
        {L"fault Application StartCommand from 2 error 0x1234", {0, e, e, e}},
        {L"fault Application startcommand always error 0x1234", {e, e, e, e}},
        {L"fault * * at 2 error 0x1234", {0, e, 0, 0}},
        {L"fault Application 2 error 0x1234", {0, 0, 0, 0}},
        {L"fault Documents 79 error 0x1234", {0, 0, 0, 0}},
    };
    for (const Case& c : cases) EXPECT_EQ(commandOutcomes(c.fault, 4), c.outcomes) << c.fault;
}

TEST(Faults, AnAbruptEndFailsEveryLaterCall) {
    auto sim = edgesim::Simulator::fromScenario(std::wstring(kTwoDrawings) + L"fault PropertySet(Custom) Add at 2 crash\n");
    int signalled = 0;
    sim->onAbruptEnd([&] { ++signalled; });
    Object app = sim->application();
    Object custom = app.getObject(2).getObject(52).callObject(0, {Variant(L"Custom")});
    EXPECT_EQ(errorOf([&] { custom.call(8, {Variant(L"A"), Variant(L"-")}); }), 0);
    EXPECT_EQ(errorOf([&] { custom.call(8, {Variant(L"B"), Variant(L"-")}); }), edgesim::err::CallFailed);
    EXPECT_EQ(errorOf([&] { app.get(58); }), edgesim::err::ServerUnavailable);
    EXPECT_EQ(errorOf([&] { app.ptr()->idOfName(L"Version"); }), edgesim::err::ServerUnavailable);
    EXPECT_EQ(signalled, 1);
    EXPECT_TRUE(sim->endedAbruptly());
    EXPECT_FALSE(sim->isRunning());
    EXPECT_EQ(sim->activeDocument()->content().property(L"Custom", L"B"), nullptr);
}

TEST(Faults, BusySpanStartsAfterTheMatchedCall) {
    auto sim = edgesim::Simulator::fromScenario(std::wstring(kTwoDrawings) + L"fault Application 63 at 2 busy 500\n");
    auto now = std::chrono::steady_clock::time_point{};
    sim->setClock([&] { return now; });
    Object app = sim->application();
    app.call(63);
    EXPECT_FALSE(sim->isBusy());
    app.call(63);
    EXPECT_TRUE(sim->isBusy()) << "busy right after the second call";
    now += std::chrono::milliseconds(499);
    EXPECT_TRUE(sim->isBusy());
    now += std::chrono::milliseconds(1);
    EXPECT_FALSE(sim->isBusy()) << "the span is over";
    EXPECT_EQ(sim->idleCallCount(), 2u) << "the busy-making call was served";
}

TEST(Faults, AHangingCallWaitsUntilReleasedOrEnded) {
    const struct Row {
        const char* name;
        bool end;        // the application is ended from outside; else the hang is released
        int32_t error;   // the hanging call's outcome
        size_t idleCalls;
    } rows[] = {
        {"released", false, 0, 1u},
        {"ended", true, edgesim::err::CallFailed, 0u},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        auto sim = edgesim::Simulator::fromScenario(std::wstring(kTwoDrawings) + L"fault Application 63 hang\n");
        std::promise<void> hanging;
        sim->onHang([&] { hanging.set_value(); });
        std::thread other([&, waiting = hanging.get_future()] {
            waiting.wait_for(std::chrono::seconds(10));  // bounded: a call that does not hang is a failure, no deadlock
            if (row.end) sim->endAbruptly();
            else sim->releaseHang();
        });
        Object app = sim->application();
        EXPECT_EQ(errorOf([&] { app.call(63); }), row.error);
        other.join();
        EXPECT_EQ(sim->idleCallCount(), row.idleCalls);
        EXPECT_EQ(sim->endedAbruptly(), row.end);
        EXPECT_EQ(errorOf([&] { app.call(63); }), row.end ? edgesim::err::ServerUnavailable : 0) << "the next call";
    }
}
