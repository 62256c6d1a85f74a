// The watchdog's action against the stretch it is told: only the stretch prepared last is acted on.
#include <gtest/gtest.h>

#include <memory>
#include <optional>

#include "processes/FakeProcessTable.h"
#include "batch/BatchFixture.h"
#include "batch/HangResponse.h"

namespace korvane::test {
namespace {

struct HangRow {
    const char* name;
    uint32_t startedProcess;          // 0: the user's Solid Edge
    Watchdog::Generation actedFor;    // the stretch prepared is 2
    bool instanceEnded;
    std::optional<int32_t> batchEnded;
};

TEST(HangResponse, ActsOnlyForTheStretchPreparedLast) {
    const std::vector<HangRow> rows = {
        {"started instance, this stretch", 300, 2, true, std::nullopt},
        {"started instance, an earlier stretch", 300, 1, false, std::nullopt},
        {"user's Solid Edge, this stretch", 0, 2, false, batchexit::NoAnswer},
        {"user's Solid Edge, an earlier stretch", 0, 1, false, std::nullopt},
    };
    for (const HangRow& row : rows) {
        SCOPED_TRACE(row.name);
        CapturedConsole console;
        auto processes = std::make_shared<FakeProcessTable>();
        processes->entries = std::vector<ProcessEntry>{{L"Edge.exe", 300}};
        std::optional<int32_t> ended;
        HangResponse::Settings settings;
        settings.limit = std::chrono::seconds(5);
        settings.startedProcess = [&row] { return row.startedProcess; };
        settings.endBatch = [&ended](int32_t code) { ended = code; };
        HangResponse hang(console, processes, settings);
        hang.prepare(L"Y:\\a.dft", true, 2);
        hang(row.actedFor);
        EXPECT_EQ(row.instanceEnded, hang.endedInstance());
        EXPECT_EQ(row.instanceEnded ? 1u : 0u, processes->terminated.size());
        EXPECT_EQ(row.batchEnded, ended);
        EXPECT_EQ(row.batchEnded.has_value(), hang.endedBatch());
        // The next stretch starts with nothing ended in it.
        hang.prepare(L"Y:\\b.dft", true, 3);
        EXPECT_FALSE(hang.endedInstance());
    }
}

}  // namespace
}  // namespace korvane::test
