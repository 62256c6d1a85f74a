// The console handler routine of korvane-stapel.exe, called as Windows calls it (on a thread of its
// own): every console event becomes the batch's stop request; a closing console waits for the report.
#include <gtest/gtest.h>

#include <future>

#include "batch/win32/ConsoleStop.h"

namespace korvane {
namespace {

struct EventCase {
    const char* name;
    DWORD event;
    bool waitsForTheReport;
};

const EventCase kEvents[] = {
    {"Ctrl+C", CTRL_C_EVENT, false},
    {"Ctrl+Break", CTRL_BREAK_EVENT, false},
    {"console closed", CTRL_CLOSE_EVENT, true},
    {"logoff", CTRL_LOGOFF_EVENT, true},
    {"shutdown", CTRL_SHUTDOWN_EVENT, true},
};

TEST(ConsoleStop, EveryConsoleEventRequestsTheStopAndIsAnswered) {
    for (const EventCase& c : kEvents) {
        ConsoleStop stop;
        ASSERT_FALSE(stop.requested()) << c.name;
        if (c.waitsForTheReport) stop.batchEnded();
        auto answer = std::async(std::launch::async, [&] { return ConsoleStop::handler(c.event); });
        ASSERT_EQ(answer.wait_for(std::chrono::seconds(2)), std::future_status::ready) << c.name << ": handler did not return";
        EXPECT_EQ(answer.get(), TRUE) << c.name << ": not answered, Windows would end the process at once";
        EXPECT_TRUE(stop.requested()) << c.name << ": the batch was not told to stop";
    }
}

TEST(ConsoleStop, AClosingConsoleKeepsTheProcessUntilTheReportIsWritten) {
    for (const EventCase& c : kEvents) {
        if (!c.waitsForTheReport) continue;
        ConsoleStop stop;
        auto answer = std::async(std::launch::async, [&] { return ConsoleStop::handler(c.event); });
        EXPECT_EQ(answer.wait_for(std::chrono::milliseconds(300)), std::future_status::timeout)
            << c.name << ": returned before the batch ended, Windows would end the process mid-drawing";
        EXPECT_TRUE(stop.requested()) << c.name;
        stop.batchEnded();
        ASSERT_EQ(answer.wait_for(std::chrono::seconds(2)), std::future_status::ready) << c.name << ": still waiting after the batch ended";
        EXPECT_EQ(answer.get(), TRUE) << c.name;
    }
}

TEST(ConsoleStop, WithoutAnInstalledStopTheEventIsLeftToTheNextHandler) {
    { ConsoleStop gone; }
    EXPECT_EQ(ConsoleStop::handler(CTRL_C_EVENT), FALSE);
}

}  // namespace
}  // namespace korvane
