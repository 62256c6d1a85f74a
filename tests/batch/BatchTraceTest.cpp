// Where a drawing's time goes: the trace charges each drawing its own share of the CAD calls and of
// the backup I/O, and the round-trip probe counts its trivial calls.
#include <gmock/gmock.h>

#include <sstream>

#include "batch/BatchTrace.h"
#include "batch/BatchFixture.h"

namespace korvane {
namespace {

using namespace std::chrono_literals;
using ::testing::ElementsAre;

// A clock that moves on by one microsecond whenever it is read, so that every span has a length that
// tells how often it was read, and nothing depends on the machine's speed.
struct TickingClock {
    std::chrono::nanoseconds now{0};
    Stopwatch::Clock clock() {
        return [this] { return now += 1us; };
    }
};

// One trace line as numbers after its first word.
std::vector<long long> numbersOf(const std::string& line) {
    std::istringstream in(line);
    std::string word;
    in >> word;
    std::vector<long long> out;
    long long n = 0;
    while (in >> n) out.push_back(n);
    return out;
}

// An object whose every member call is one CAD call of 5 µs.
class CountedObject : public Dispatch {
public:
    explicit CountedObject(BatchTrace::CadCalls& calls) : calls_(calls) {}
    Variant invoke(DispId, InvokeKind, std::vector<Variant>&) override {
        ++calls_.count;
        calls_.inside += 5us;
        return Variant(L"12.00");
    }
    DispId idOfName(std::wstring_view) override { return 0; }
    std::unique_ptr<Enumerator> enumerate() override { return nullptr; }

private:
    BatchTrace::CadCalls& calls_;
};

TEST(BatchTraceLines, EachDrawingGetsItsOwnShareNotTheRunsSoFar) {
    TickingClock ticks;
    BatchTrace::CadCalls cad;
    std::vector<std::string> lines;
    BatchTrace trace([&] { return cad; }, [&](const std::string& l) { lines.push_back(l); }, ticks.clock());

    // Drawing 1: 3 CAD calls of 2 ms, one backup span. Drawing 2: 1 call of 7 ms, two spans (copy, put-back).
    trace.drawingStarted();
    cad = {3, 6ms};
    { const Stopwatch::Span copy(&trace.backupIo()); }
    trace.drawingEnded(1);
    trace.drawingStarted();
    cad = {4, 13ms};
    { const Stopwatch::Span copy(&trace.backupIo()); }
    { const Stopwatch::Span putBack(&trace.backupIo()); }
    trace.drawingEnded(2);

    ASSERT_EQ(2u, lines.size());
    // number, wall (clock reads from start to end), CAD calls, µs inside them, µs of backup I/O
    EXPECT_THAT(numbersOf(lines[0]), ElementsAre(1, 3, 3, 6000, 1)) << lines[0];
    EXPECT_THAT(numbersOf(lines[1]), ElementsAre(2, 5, 1, 7000, 2)) << lines[1];
    EXPECT_EQ(0u, lines[1].rfind("drawing ", 0));
}

TEST(BatchTraceLines, TheRoundTripProbeCountsItsOwnCallsOnly) {
    BatchTrace::CadCalls cad{40, 1s};
    std::vector<std::string> lines;
    BatchTrace trace([&] { return cad; }, [&](const std::string& l) { lines.push_back(l); });
    const Object application(std::make_shared<CountedObject>(cad));
    trace.probeRoundTrip(application, 200, "start");
    ASSERT_EQ(1u, lines.size());
    EXPECT_EQ("round-trip start 200 1000", lines[0]);
}

using test::drawingText;
using test::kFolder;

class BatchTraceRun : public test::BatchFixture {};

// Through a whole run against the simulated application: one line per drawing worked on, its CAD calls
// those the application saw while it was under way, and a backup span for each copy and each put-back.
TEST_F(BatchTraceRun, TheRunChargesCallsAndBackupIoToTheDrawingThatMadeThem) {
    const std::wstring ordinary = drawing(L"a gewöhnlich.dft", drawingText({4, 8}));
    const std::wstring readOnly = drawing(L"b schreibgeschützt.dft", drawingText({4}));
    const std::wstring breaksOff = drawing(L"c Speichern bricht ab.dft", drawingText({8}));
    setReadOnly(readOnly);
    store->failWrites.push_back(breaksOff);
    startApplication();

    TickingClock ticks;
    std::vector<std::string> lines;
    const auto simCalls = [this] {
        return BatchTrace::CadCalls{current()->calls().size(), std::chrono::nanoseconds(0)};
    };
    BatchTrace runTrace(simCalls, [&](const std::string& l) { lines.push_back(l); }, ticks.clock());
    trace = &runTrace;
    EXPECT_EQ(batchexit::SomeNotDone, runBatch({kFolder}));

    std::vector<std::string> drawings;
    std::vector<std::string> probes;
    for (const std::string& l : lines) (l.rfind("drawing ", 0) == 0 ? drawings : probes).push_back(l);
    // 200 trivial calls at the start and at the end, 20 before each drawing.
    const std::vector<std::string> expectedProbes = {"start 200", "between 20", "between 20", "between 20", "end 200"};
    ASSERT_EQ(expectedProbes.size(), probes.size()) << ::testing::PrintToString(lines);
    for (size_t i = 0; i < probes.size(); ++i)
        EXPECT_EQ(0u, probes[i].rfind("round-trip " + expectedProbes[i] + " ", 0)) << probes[i];
    ASSERT_EQ(3u, drawings.size()) << ::testing::PrintToString(lines);
    struct Expected {
        const char* drawing;
        long long number;
        bool calls;             // whether the application was called for it
        long long backupSpans;  // copy, and put-back after a failure
    };
    const Expected expected[] = {{"ordinary", 1, true, 1}, {"read-only", 2, true, 0}, {"save breaks off", 3, true, 2}};
    size_t charged = 0;
    for (size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(expected[i].drawing);
        const auto n = numbersOf(drawings[i]);
        ASSERT_EQ(5u, n.size()) << drawings[i];
        EXPECT_EQ(expected[i].number, n[0]);
        EXPECT_EQ(expected[i].backupSpans, n[4]);
        EXPECT_EQ(expected[i].calls, n[2] > 0);
        charged += static_cast<size_t>(n[2]);
    }
    // The read-only drawing is only asked about (is it open?); the ordinary one needs the whole exchange.
    EXPECT_LT(numbersOf(drawings[1])[2] * 10, numbersOf(drawings[0])[2]);
    EXPECT_LT(charged + 460, current()->calls().size()) << "calls outside drawings: start, probes, end";
}

}  // namespace
}  // namespace korvane
