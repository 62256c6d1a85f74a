#include "batch/Stopwatch.h"

namespace korvane {

std::chrono::nanoseconds Stopwatch::steadyNow() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch());
}

}  // namespace korvane
