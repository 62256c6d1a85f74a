#pragma once
// The program under watch: started by us, its handle owned here, its memory sampled while it runs.
#include <windows.h>

#include <string>

#include "processes/win32/UniqueHandle.h"

namespace harness {

class WatchedProcess {
public:
    // Starts the command line; false (with GetLastError set) when the program cannot be started.
    bool start(const std::wstring& commandLine);
    DWORD id() const { return id_; }
    // Waits at most ms milliseconds; true once the program has ended.
    bool waitEnd(DWORD ms) const;
    bool ended() const { return waitEnd(0); }
    DWORD exitCode() const;
    void terminate(UINT code) const;

    // The kernel keeps the peak itself; sampling often only guards against losing it at the exit.
    void sampleMemory();
    SIZE_T peakWorkingSet() const { return peak_; }
    // The processor time the program has used so far, user and kernel, in microseconds (-1 unknown).
    long long cpuMicroseconds() const;

private:
    korvane::UniqueHandle process_;
    DWORD id_ = 0;
    SIZE_T peak_ = 0;
};

}  // namespace harness
