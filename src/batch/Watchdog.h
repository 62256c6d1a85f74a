#pragma once
// A bound on how long one stretch of work may take: armed when it starts, disarmed when it ends. A
// stretch still armed when the bound has passed makes the watchdog run its action once, on the
// watchdog's own thread, while the stretch itself may still be blocked (a call the CAD application
// never answers). State the action reads is to be written before arm(): arming orders it.
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>

namespace korvane {

class Watchdog {
public:
    Watchdog(std::chrono::milliseconds bound, std::function<void()> expired);
    ~Watchdog();  // stops the thread and waits for it (also for an action under way)
    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;

    // Starts the bound anew.
    void arm();
    // No action for the stretch armed last, unless it has begun already.
    void disarm();

    // Armed for as long as it lives.
    class Stretch {
    public:
        explicit Stretch(Watchdog& watchdog) : watchdog_(watchdog) { watchdog_.arm(); }
        ~Stretch() { watchdog_.disarm(); }
        Stretch(const Stretch&) = delete;
        Stretch& operator=(const Stretch&) = delete;

    private:
        Watchdog& watchdog_;
    };

private:
    void watch();

    const std::chrono::milliseconds bound_;
    const std::function<void()> expired_;
    std::mutex mutex_;
    std::condition_variable changed_;
    bool armed_ = false;
    bool stopping_ = false;
    std::chrono::steady_clock::time_point deadline_;
    std::thread thread_;
};

}  // namespace korvane
