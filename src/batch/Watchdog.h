#pragma once
// A bound on how long one stretch of work may take: armed when it starts, disarmed when it ends. A
// stretch still armed when the bound has passed makes the watchdog run its action once, on the
// watchdog's own thread, while the stretch itself may still be blocked (a call the CAD application
// never answers). State the action reads is to be written before arm(): arming orders it.
//
// Each stretch has its own generation, and the action is told the one it was for. A stretch is over
// only when its action can no longer touch anything: disarm() (and the next arm()) either keeps the
// action from starting or waits until the one under way has returned, so an action that began just
// as its stretch ended can never land in the next stretch. The action therefore must not wait for
// the armed thread; ending the whole process from it is fine.
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>

namespace korvane {

class Watchdog {
public:
    // Counts the stretches from 1; 0 is none.
    using Generation = std::uint64_t;

    Watchdog(std::chrono::milliseconds bound, std::function<void(Generation)> expired);
    // For an action that needs no generation.
    Watchdog(std::chrono::milliseconds bound, const std::function<void()>& expired);
    ~Watchdog();  // stops the thread and waits for it (also for an action under way)
    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;

    // Ends the stretch before, if any, and starts the bound anew for the next one, whose generation
    // it returns. Arming is for one thread only, never the action's.
    Generation arm();
    // The generation the next arm() gives, for state the action compares before the stretch begins.
    Generation upcoming() const;
    // Ends the stretch armed last: its action does not start, or has returned when this returns.
    void disarm();

    // Armed for as long as it lives.
    class Stretch {
    public:
        explicit Stretch(Watchdog& watchdog) : watchdog_(watchdog), generation_(watchdog_.arm()) {}
        ~Stretch() { watchdog_.disarm(); }
        Stretch(const Stretch&) = delete;
        Stretch& operator=(const Stretch&) = delete;
        Generation generation() const { return generation_; }

    private:
        Watchdog& watchdog_;
        const Generation generation_;
    };

private:
    void watch();
    // With the lock held: no action is under way any more (at once on the watchdog's own thread).
    void awaitAction(std::unique_lock<std::mutex>& lock);

    const std::chrono::milliseconds bound_;
    const std::function<void(Generation)> expired_;
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::condition_variable actionDone_;
    bool armed_ = false;
    bool stopping_ = false;
    Generation generation_ = 0;  // of the stretch armed last
    Generation acting_ = 0;      // of the stretch whose action runs now, 0 when none
    std::chrono::steady_clock::time_point deadline_;
    std::thread thread_;
};

}  // namespace korvane
