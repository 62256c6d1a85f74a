#include "CrashWatch.h"

#include <array>
#include <cwchar>

#include "processes/win32/ToolhelpProcessTable.h"
#include "processes/win32/UniqueHandle.h"

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
    for (const auto& process : korvane::ToolhelpProcessTable().snapshot().value_or(std::vector<korvane::ProcessEntry>{})) {
        if (isReporter(process.exeName.c_str())) found.push_back({process.exeName, process.processId});
    }
    return found;
}

void CrashWatch::end(const std::vector<Reporter>& reporters) {
    for (const Reporter& r : reporters) {
        const korvane::UniqueHandle process(::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, r.processId));
        if (!process) continue;
        ::TerminateProcess(process.get(), 1);
        ::WaitForSingleObject(process.get(), 5000);
    }
}

}  // namespace uidriver
