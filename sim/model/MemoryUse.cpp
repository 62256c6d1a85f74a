#include "model/MemoryUse.h"

namespace edgesim {

void MemoryUse::leaveBehind() {
    if (perOpen == 0) return;
    // Filled with a value other than zero: pages the allocator got zeroed from the system would not be
    // touched by a zero fill that it skips, and would not count in the working set.
    blocks_.emplace_back(static_cast<size_t>(perOpen), static_cast<unsigned char>(0x5A));
    leftBehind_ += perOpen;
}

}  // namespace edgesim
