#pragma once
// A process table with scripted entries that records what it was asked.
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "processes/ProcessTable.h"

namespace korvane::test {

class FakeProcessTable : public ProcessTable {
public:
    std::optional<std::vector<ProcessEntry>> entries;  // nothing: no snapshot can be taken
    int snapshots = 0;
    std::vector<std::pair<uint32_t, uint32_t>> terminated;

    std::optional<std::vector<ProcessEntry>> snapshot() override {
        ++snapshots;
        return entries;
    }
    void terminate(uint32_t processId, uint32_t exitCode) override { terminated.emplace_back(processId, exitCode); }
};

}  // namespace korvane::test
