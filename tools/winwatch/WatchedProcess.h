#pragma once
// The program under watch: started by us, its handles owned here, its memory sampled while it runs.
#include <windows.h>

#include <string>

namespace winwatch {

class WatchedProcess {
public:
    WatchedProcess() = default;
    WatchedProcess(const WatchedProcess&) = delete;
    WatchedProcess& operator=(const WatchedProcess&) = delete;
    ~WatchedProcess();

    // Starts the command line; false (with GetLastError set) when the program cannot be started.
    bool start(const std::wstring& commandLine);
    DWORD id() const { return info_.dwProcessId; }
    // Waits at most ms milliseconds; true once the program has ended.
    bool waitEnd(DWORD ms) const;
    DWORD exitCode() const;
    void terminate(UINT code) const;

    // The kernel keeps the peak itself; sampling often only guards against losing it at the exit.
    void sampleMemory();
    SIZE_T peakWorkingSet() const { return peak_; }

private:
    PROCESS_INFORMATION info_{};
    SIZE_T peak_ = 0;
};

}  // namespace winwatch
