#include "CrashWatch.h"

#include <tlhelp32.h>

#include <array>
#include <cwchar>

namespace uidriver {

namespace {

constexpr std::array<const wchar_t*, 4> kReporters = {L"winedbg.exe", L"WerFault.exe", L"dwwin.exe", L"drwtsn32.exe"};

bool isReporter(const wchar_t* exeName) {
    for (const wchar_t* name : kReporters) {
        if (::_wcsicmp(exeName, name) == 0) return true;
    }
    return false;
}

}  // namespace

std::vector<CrashWatch::Reporter> CrashWatch::running() {
    std::vector<Reporter> found;
    HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return found;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = ::Process32FirstW(snapshot, &entry); more; more = ::Process32NextW(snapshot, &entry)) {
        if (isReporter(entry.szExeFile)) found.push_back({entry.szExeFile, entry.th32ProcessID});
    }
    ::CloseHandle(snapshot);
    return found;
}

void CrashWatch::end(const std::vector<Reporter>& reporters) {
    for (const Reporter& r : reporters) {
        HANDLE process = ::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, r.processId);
        if (!process) continue;
        ::TerminateProcess(process, 1);
        ::WaitForSingleObject(process, 5000);
        ::CloseHandle(process);
    }
}

}  // namespace uidriver
