#pragma once
// The process-table port behind the census: a point-in-time list of processes and termination.
// Windows: Toolhelp32 (win32/). Development and tests: /proc (posix/).
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace korvane {

struct ProcessEntry {
    std::wstring exeName;  // executable file name, cut at its first NUL
    uint32_t processId = 0;
};

class ProcessTable {
public:
    virtual ~ProcessTable() = default;
    // The processes in snapshot order; nothing when no snapshot could be taken.
    virtual std::optional<std::vector<ProcessEntry>> snapshot() = 0;
    // Opens the process with the terminate right only and ends it with the exit code; no result examined.
    virtual void terminate(uint32_t processId, uint32_t exitCode) = 0;
};

// The process table of the platform the program was built for (defined by its win32/ or posix/
// implementation); what the census uses when it is given none.
std::shared_ptr<ProcessTable> defaultProcessTable();

}  // namespace korvane
