#include "comserver/ServingTime.h"

namespace korvane::com {

ServingTime& ServingTime::instance() {
    static ServingTime time;
    return time;
}

ServingTime::Call::Call() noexcept : nested_(instance().depth_++ > 0), start_(nested_ ? 0 : PerformanceTicks::now()) {}

ServingTime::Call::~Call() {
    ServingTime& time = instance();
    --time.depth_;
    if (nested_) return;
    time.time_.addSince(start_);
    ++time.calls_;
}

}  // namespace korvane::com
