#include "WatchedProcess.h"

#include <psapi.h>

#include "StartProcess.h"

namespace harness {

bool WatchedProcess::start(const std::wstring& commandLine) {
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION info{};
    if (!startProcess(commandLine, false, 0, si, info)) return false;
    const korvane::UniqueHandle thread(info.hThread);  // never needed: only the process is watched
    process_ = korvane::UniqueHandle(info.hProcess);
    id_ = info.dwProcessId;
    return true;
}

bool WatchedProcess::waitEnd(DWORD ms) const { return ::WaitForSingleObject(process_.get(), ms) == WAIT_OBJECT_0; }

DWORD WatchedProcess::exitCode() const {
    DWORD code = 0;
    ::GetExitCodeProcess(process_.get(), &code);
    return code;
}

void WatchedProcess::terminate(UINT code) const { ::TerminateProcess(process_.get(), code); }

void WatchedProcess::sampleMemory() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof(counters);
    if (::GetProcessMemoryInfo(process_.get(), &counters, sizeof(counters))) {
        if (counters.PeakWorkingSetSize > peak_) peak_ = counters.PeakWorkingSetSize;
        if (counters.WorkingSetSize > peak_) peak_ = counters.WorkingSetSize;
    }
}

long long WatchedProcess::cpuMicroseconds() const {
    FILETIME created, exited, kernel, user;
    if (!::GetProcessTimes(process_.get(), &created, &exited, &kernel, &user)) return -1;
    const auto micros = [](const FILETIME& t) {
        return static_cast<long long>((static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 10;
    };
    return micros(kernel) + micros(user);
}

}  // namespace harness
