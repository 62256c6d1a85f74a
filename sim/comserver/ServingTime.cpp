#include "comserver/ServingTime.h"

namespace korvane::com {

namespace {

LONGLONG ticksNow() noexcept {
    LARGE_INTEGER now{};
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}

}  // namespace

ServingTime& ServingTime::instance() {
    static ServingTime time;
    return time;
}

ServingTime::ServingTime() noexcept {
    LARGE_INTEGER frequency{};
    if (QueryPerformanceFrequency(&frequency) && frequency.QuadPart > 0) frequency_ = frequency.QuadPart;
}

std::chrono::nanoseconds ServingTime::inside() const noexcept {
    // Whole seconds and the remainder apart, so that a long run does not overflow the product.
    return std::chrono::seconds(ticks_ / frequency_) + std::chrono::nanoseconds((ticks_ % frequency_) * 1000000000LL / frequency_);
}

ServingTime::Call::Call() noexcept : nested_(instance().depth_++ > 0), start_(nested_ ? 0 : ticksNow()) {}

ServingTime::Call::~Call() {
    ServingTime& time = instance();
    --time.depth_;
    if (nested_) return;
    time.ticks_ += ticksNow() - start_;
    ++time.calls_;
}

}  // namespace korvane::com
