#pragma once
// The process table of a Linux system, read from /proc: development runs and native tests.
#include <functional>

#include "processes/ProcessTable.h"

namespace korvane {

class ProcProcessTable : public ProcessTable {
public:
    // How a signal reaches a process: kill(2) unless given. Tests record instead, because a fault here
    // would reach every process of the user.
    using SignalSender = std::function<int(int processId, int signalNumber)>;

    explicit ProcProcessTable(SignalSender send = {});

    // The processes in ascending id order, each named by the file name of its executable
    // (the kernel's short command name when the executable cannot be read, as for other users' processes).
    std::optional<std::vector<ProcessEntry>> snapshot() override;
    // Sends SIGKILL: like TerminateProcess it ends the process without letting it clean up. A POSIX
    // process cannot be given another process's exit status, so the code is not carried.
    void terminate(uint32_t processId, uint32_t exitCode) override;

private:
    SignalSender send_;
};

}  // namespace korvane
