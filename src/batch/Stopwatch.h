#pragma once
// Sums the wall time of the spans it is given, for the batch's trace (BatchTrace). A Span on no
// stopwatch reads no clock: the run without a trace does nothing more than test a pointer.
#include <chrono>
#include <cstddef>
#include <functional>

namespace korvane {

class Stopwatch {
public:
    using Clock = std::function<std::chrono::nanoseconds()>;
    // The steady clock's time since its epoch.
    static std::chrono::nanoseconds steadyNow();

    explicit Stopwatch(Clock now = &Stopwatch::steadyNow) : now_(std::move(now)) {}

    std::chrono::nanoseconds total() const noexcept { return total_; }
    size_t spans() const noexcept { return spans_; }
    std::chrono::nanoseconds now() const { return now_(); }

    // The time from construction to destruction goes to the stopwatch, when there is one.
    class Span {
    public:
        explicit Span(Stopwatch* watch) : watch_(watch), start_(watch ? watch->now_() : std::chrono::nanoseconds{}) {}
        ~Span() {
            if (!watch_) return;
            watch_->total_ += watch_->now_() - start_;
            ++watch_->spans_;
        }
        Span(const Span&) = delete;
        Span& operator=(const Span&) = delete;

    private:
        Stopwatch* watch_;
        std::chrono::nanoseconds start_;
    };

private:
    Clock now_;
    std::chrono::nanoseconds total_{0};
    size_t spans_ = 0;
};

}  // namespace korvane
