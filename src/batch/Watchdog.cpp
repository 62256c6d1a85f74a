#include "batch/Watchdog.h"

#include <utility>

namespace korvane {

Watchdog::Watchdog(std::chrono::milliseconds bound, std::function<void()> expired)
    : bound_(bound), expired_(std::move(expired)), thread_([this] { watch(); }) {}

Watchdog::~Watchdog() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    thread_.join();
}

void Watchdog::arm() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        armed_ = true;
        deadline_ = std::chrono::steady_clock::now() + bound_;
    }
    changed_.notify_all();
}

void Watchdog::disarm() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        armed_ = false;
    }
    changed_.notify_all();
}

void Watchdog::watch() {
    std::unique_lock<std::mutex> lock(mutex_);
    while (!stopping_) {
        if (!armed_) {
            changed_.wait(lock);
            continue;
        }
        // Woken early by arm() or disarm(): the deadline is looked at again.
        const auto deadline = deadline_;
        if (changed_.wait_until(lock, deadline) != std::cv_status::timeout) continue;
        if (!armed_ || stopping_ || deadline_ != deadline) continue;
        armed_ = false;
        // The action may take its time (ending a process, writing to the console); arm() and
        // disarm() must not wait for it.
        lock.unlock();
        expired_();
        lock.lock();
    }
}

}  // namespace korvane
