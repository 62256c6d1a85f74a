#include <unistd.h>

#include <fstream>

#include "model/MemoryUse.h"

namespace edgesim {

uint64_t processWorkingSet() {
    // statm: total program size, then the resident pages.
    std::ifstream statm("/proc/self/statm");
    uint64_t size = 0;
    uint64_t resident = 0;
    if (!(statm >> size >> resident)) return 0;
    const long page = sysconf(_SC_PAGESIZE);
    return resident * static_cast<uint64_t>(page > 0 ? page : 4096);
}

}  // namespace edgesim
