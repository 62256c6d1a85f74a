#pragma once
// What the application keeps of every document it opened, as the real one does over a long night:
// real memory, allocated and touched, so that the process's working set grows with each open; and the
// working set above which the application ends abruptly at the next open.
#include <cstdint>
#include <functional>
#include <vector>

namespace edgesim {

// The working set of this process in bytes, as the platform counts it (0 when it cannot tell).
uint64_t processWorkingSet();

class MemoryUse {
public:
    uint64_t perOpen = 0;   // bytes left behind by each document opened
    uint64_t ceiling = 0;   // working set in bytes above which the next open ends the application; 0: none
    // How the working set is measured; the process's own unless a test gives another.
    std::function<uint64_t()> workingSet = processWorkingSet;

    bool overCeiling() const { return ceiling > 0 && workingSet() > ceiling; }
    // After an open: keeps perOpen more bytes, every page of them written, so they count as used.
    void leaveBehind();
    uint64_t leftBehind() const noexcept { return leftBehind_; }

private:
    std::vector<std::vector<unsigned char>> blocks_;
    uint64_t leftBehind_ = 0;
};

}  // namespace edgesim
