#include "batch/Watchdog.h"

#include <utility>

namespace korvane {

Watchdog::Watchdog(std::chrono::milliseconds bound, std::function<void(Generation)> expired)
    : bound_(bound), expired_(std::move(expired)), thread_([this] { watch(); }) {}

Watchdog::Watchdog(std::chrono::milliseconds bound, const std::function<void()>& expired)
    : Watchdog(bound, [expired](Generation) { expired(); }) {}

Watchdog::~Watchdog() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    thread_.join();
}

void Watchdog::awaitAction(std::unique_lock<std::mutex>& lock) {
    // The action itself may end its stretch; waiting there would wait for itself.
    if (std::this_thread::get_id() == thread_.get_id()) return;
    actionDone_.wait(lock, [this] { return acting_ == 0; });
}

Watchdog::Generation Watchdog::arm() {
    Generation generation = 0;
    {
        std::unique_lock<std::mutex> lock(mutex_);
        armed_ = false;
        awaitAction(lock);
        armed_ = true;
        generation = ++generation_;
        deadline_ = std::chrono::steady_clock::now() + bound_;
    }
    changed_.notify_all();
    return generation;
}

Watchdog::Generation Watchdog::upcoming() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return generation_ + 1;
}

void Watchdog::disarm() {
    std::unique_lock<std::mutex> lock(mutex_);
    armed_ = false;
    changed_.notify_all();
    awaitAction(lock);
}

void Watchdog::watch() {
    std::unique_lock<std::mutex> lock(mutex_);
    while (!stopping_) {
        if (!armed_) {
            changed_.wait(lock);
            continue;
        }
        // Woken early by arm() or disarm(): the stretch and its deadline are looked at again.
        const Generation generation = generation_;
        const auto deadline = deadline_;
        if (changed_.wait_until(lock, deadline) != std::cv_status::timeout) continue;
        if (!armed_ || stopping_ || generation_ != generation) continue;
        // Claimed under the lock: from here on the stretch ends only once the action has returned.
        armed_ = false;
        acting_ = generation;
        // The action may take its time (ending a process, writing to the console) and must not hold
        // the lock: arm() and disarm() are what wait for it.
        lock.unlock();
        expired_(generation);
        lock.lock();
        acting_ = 0;
        actionDone_.notify_all();
    }
}

}  // namespace korvane
