#include "WatchedProcess.h"

#include <psapi.h>

namespace winwatch {

WatchedProcess::~WatchedProcess() {
    if (info_.hThread) ::CloseHandle(info_.hThread);
    if (info_.hProcess) ::CloseHandle(info_.hProcess);
}

bool WatchedProcess::start(const std::wstring& commandLine) {
    std::wstring line = commandLine;  // CreateProcessW may write into it
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    return ::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &info_) !=
           FALSE;
}

bool WatchedProcess::waitEnd(DWORD ms) const { return ::WaitForSingleObject(info_.hProcess, ms) == WAIT_OBJECT_0; }

DWORD WatchedProcess::exitCode() const {
    DWORD code = 0;
    ::GetExitCodeProcess(info_.hProcess, &code);
    return code;
}

void WatchedProcess::terminate(UINT code) const { ::TerminateProcess(info_.hProcess, code); }

void WatchedProcess::sampleMemory() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof(counters);
    if (::GetProcessMemoryInfo(info_.hProcess, &counters, sizeof(counters))) {
        if (counters.PeakWorkingSetSize > peak_) peak_ = counters.PeakWorkingSetSize;
        if (counters.WorkingSetSize > peak_) peak_ = counters.WorkingSetSize;
    }
}

}  // namespace winwatch
