#include <windows.h>
#include <psapi.h>

#include "model/MemoryUse.h"

namespace edgesim {

uint64_t processWorkingSet() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof(counters);
    if (!K32GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters))) return 0;
    return counters.WorkingSetSize;
}

}  // namespace edgesim
