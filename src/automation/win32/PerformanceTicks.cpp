#include "automation/win32/PerformanceTicks.h"

namespace korvane::com {

PerformanceTicks::PerformanceTicks() noexcept {
    LARGE_INTEGER frequency{};
    if (QueryPerformanceFrequency(&frequency) && frequency.QuadPart > 0) frequency_ = frequency.QuadPart;
}

LONGLONG PerformanceTicks::now() noexcept {
    LARGE_INTEGER now{};
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}

std::chrono::nanoseconds PerformanceTicks::total() const noexcept {
    // Whole seconds and the remainder apart, so that a long run does not overflow the product.
    return std::chrono::seconds(ticks_ / frequency_) +
           std::chrono::nanoseconds((ticks_ % frequency_) * 1000000000LL / frequency_);
}

}  // namespace korvane::com
