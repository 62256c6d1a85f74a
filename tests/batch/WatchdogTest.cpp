// The watchdog's bound, with real time: bounds short, waits for what must happen long (a loaded machine
// may delay an action, so a wait for one that must not come can only pass wrongly, never fail wrongly).
#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>
#include <string>
#include <vector>

#include "batch/Watchdog.h"

namespace korvane {
namespace {

using namespace std::chrono_literals;

class Actions {
public:
    void count() {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            ++count_;
        }
        changed_.notify_all();
    }
    // Waits (bounded) until the action has run that often.
    bool reach(int wanted) {
        std::unique_lock<std::mutex> lock(mutex_);
        return changed_.wait_for(lock, 10s, [&] { return count_ >= wanted; });
    }
    int now() {
        std::lock_guard<std::mutex> lock(mutex_);
        return count_;
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    int count_ = 0;
};

// One step of a row: arm, disarm, wait until the action ran N times in all, or sleep.
struct Step {
    enum Kind { Arm, Disarm, Reach, Sleep } kind;
    int value = 0;  // Reach: times; Sleep: milliseconds
};

struct Row {
    const char* name;
    std::chrono::milliseconds bound;
    std::vector<Step> steps;
    int actions;  // how often the action ran in the end
};

TEST(Watchdog, ActsOncePerStretchLeftArmedPastTheBound) {
    const std::vector<Row> rows = {
        {"left armed", 20ms, {{Step::Arm}, {Step::Reach, 1}, {Step::Sleep, 200}}, 1},
        {"disarmed in time", 50ms, {{Step::Arm}, {Step::Disarm}, {Step::Sleep, 300}}, 0},
        {"armed again after acting", 20ms, {{Step::Arm}, {Step::Reach, 1}, {Step::Arm}, {Step::Reach, 2}, {Step::Sleep, 100}}, 2},
        {"ended while armed", 10s, {{Step::Arm}}, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Actions actions;
        {
            Watchdog watchdog(row.bound, [&actions] { actions.count(); });
            for (const Step& step : row.steps) {
                switch (step.kind) {
                case Step::Arm: watchdog.arm(); break;
                case Step::Disarm: watchdog.disarm(); break;
                case Step::Reach: ASSERT_TRUE(actions.reach(step.value)) << "the action ran " << actions.now() << " times"; break;
                case Step::Sleep: std::this_thread::sleep_for(std::chrono::milliseconds(step.value)); break;
                }
            }
        }
        EXPECT_EQ(row.actions, actions.now());
    }
}

}  // namespace
}  // namespace korvane
