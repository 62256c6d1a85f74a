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

// Opened once; waiting for it is bounded.
class Gate {
public:
    void open() {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            open_ = true;
        }
        changed_.notify_all();
    }
    bool await(std::chrono::milliseconds bound) {
        std::unique_lock<std::mutex> lock(mutex_);
        return changed_.wait_for(lock, bound, [&] { return open_; });
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    bool open_ = false;
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

// A stretch that ends just as its deadline passes: the action has begun (a bound of 0 makes it begin
// at once) and is still under way when the stretch is disarmed. Whatever the action does then belongs
// to that stretch, so disarm() may return only once it has returned; otherwise it would act in the
// next stretch. The action waits a while for disarm() to return, which must not come.
TEST(Watchdog, AStretchEndingAsItsActionBeginsIsOverOnlyOnceTheActionHasReturned) {
    Gate begun;
    Gate disarmed;
    bool disarmedWhileActing = false;
    {
        Watchdog watchdog(0ms, [&] {
            begun.open();
            disarmedWhileActing = disarmed.await(500ms);
        });
        watchdog.arm();
        ASSERT_TRUE(begun.await(10s)) << "the action never began";
        watchdog.disarm();
        disarmed.open();
    }
    EXPECT_FALSE(disarmedWhileActing) << "disarm() returned while the stretch's action was still under way";
}

TEST(Watchdog, TheActionIsToldWhichStretchItWasFor) {
    std::mutex mutex;
    std::vector<Watchdog::Generation> told;
    Actions actions;
    Watchdog watchdog(0ms, [&](Watchdog::Generation stretch) {
        {
            std::lock_guard<std::mutex> lock(mutex);
            told.push_back(stretch);
        }
        actions.count();
    });
    std::vector<Watchdog::Generation> armed;
    for (int n = 1; n <= 3; ++n) {
        const Watchdog::Generation upcoming = watchdog.upcoming();
        armed.push_back(watchdog.arm());
        EXPECT_EQ(upcoming, armed.back());
        ASSERT_TRUE(actions.reach(n)) << "the action ran " << actions.now() << " times";
        watchdog.disarm();
    }
    std::lock_guard<std::mutex> lock(mutex);
    EXPECT_EQ(armed, told);
    EXPECT_EQ((std::vector<Watchdog::Generation>{1, 2, 3}), armed);
}

}  // namespace
}  // namespace korvane
