#include "automation/win32/CallTiming.h"

#include <utility>

namespace korvane::com {

namespace {

thread_local CallTiming* innermost = nullptr;

}  // namespace

CallTiming::CallTiming() noexcept : outer_(std::exchange(innermost, this)) {}

CallTiming::~CallTiming() { innermost = outer_; }

CallTiming::Scope::Scope() noexcept : timing_(innermost) {
    if (timing_) start_ = PerformanceTicks::now();
}

CallTiming::Scope::~Scope() {
    if (!timing_) return;
    timing_->time_.addSince(start_);
    ++timing_->calls_;
}

}  // namespace korvane::com
