#include "processes/win32/ToolhelpProcessTable.h"

#include <windows.h>
#include <tlhelp32.h>

#include <cwchar>

#include "processes/win32/UniqueHandle.h"

namespace korvane {

std::optional<std::vector<ProcessEntry>> ToolhelpProcessTable::snapshot() {
    // The wide-character records keep every executable name intact, whatever the system code page.
    const UniqueHandle snap(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snap) return std::nullopt;
    std::vector<ProcessEntry> entries;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = ::Process32FirstW(snap.get(), &entry); more; more = ::Process32NextW(snap.get(), &entry)) {
        // The name field is fixed-size; the name ends at its first NUL, or at the field's end.
        const size_t length = ::wcsnlen(entry.szExeFile, MAX_PATH);
        entries.push_back({std::wstring(entry.szExeFile, length), entry.th32ProcessID});
    }
    return entries;
}

void ToolhelpProcessTable::terminate(uint32_t processId, uint32_t exitCode) {
    const UniqueHandle process(::OpenProcess(PROCESS_TERMINATE, FALSE, processId));
    if (process) ::TerminateProcess(process.get(), exitCode);
}

std::shared_ptr<ProcessTable> defaultProcessTable() { return std::make_shared<ToolhelpProcessTable>(); }

}  // namespace korvane
