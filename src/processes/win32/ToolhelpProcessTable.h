#pragma once
// The Windows process table: a Toolhelp32 snapshot of the processes, termination by id.
#include "processes/ProcessTable.h"

namespace korvane {

class ToolhelpProcessTable : public ProcessTable {
public:
    std::optional<std::vector<ProcessEntry>> snapshot() override;
    void terminate(uint32_t processId, uint32_t exitCode) override;
};

}  // namespace korvane
