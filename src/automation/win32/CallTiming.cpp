#include "automation/win32/CallTiming.h"

#include <utility>

namespace korvane::com {

namespace {

thread_local CallTiming* innermost = nullptr;

LONGLONG ticksNow() noexcept {
    LARGE_INTEGER now{};
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}

}  // namespace

CallTiming::CallTiming() noexcept : outer_(std::exchange(innermost, this)) {
    LARGE_INTEGER frequency{};
    if (QueryPerformanceFrequency(&frequency) && frequency.QuadPart > 0) frequency_ = frequency.QuadPart;
}

CallTiming::~CallTiming() { innermost = outer_; }

std::chrono::nanoseconds CallTiming::inside() const noexcept {
    // Whole seconds and the remainder apart, so that a long run does not overflow the product.
    const LONGLONG seconds = ticks_ / frequency_;
    const LONGLONG rest = ticks_ % frequency_;
    return std::chrono::seconds(seconds) + std::chrono::nanoseconds(rest * 1000000000LL / frequency_);
}

CallTiming::Scope::Scope() noexcept : timing_(innermost) {
    if (timing_) start_ = ticksNow();
}

CallTiming::Scope::~Scope() {
    if (!timing_) return;
    timing_->ticks_ += ticksNow() - start_;
    ++timing_->calls_;
}

}  // namespace korvane::com
