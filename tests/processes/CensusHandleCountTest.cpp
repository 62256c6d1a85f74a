// The census against the system's own process table: it ends only the process an id names, and it
// closes every snapshot and process handle it opens, so that the handle count stays where it was.
#ifdef _WIN32

#include <gtest/gtest.h>
#include <windows.h>

#include <climits>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "StartProcess.h"
#include "processes/clsSystem3.h"
#include "processes/win32/ToolhelpProcessTable.h"

namespace korvane {
namespace {

// A leak of one handle per run already shows as 200 against the slack of 5; more rounds only cost time, and
// every snapshot is a trip to the wine server on slow machines.
constexpr int Rounds = 200;
// Room for handles the system opens on its own behalf now and then (none are expected).
constexpr DWORD Slack = 5;

// The system's handle table, as NtQuerySystemInformation reports it (information class 16).
struct SystemHandleEntry {
    ULONG ownerProcessId;
    BYTE objectType;
    BYTE flags;
    USHORT handleValue;
    PVOID object;
    ULONG access;
};
struct SystemHandleTable {
    ULONG count;
    SystemHandleEntry entries[1];
};
using QuerySystemInformation = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);
constexpr ULONG SystemHandleInformation = 16;
constexpr LONG StatusInfoLengthMismatch = static_cast<LONG>(0xC0000004);

DWORD handlesInSystemTable() {
    const auto query = reinterpret_cast<QuerySystemInformation>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "NtQuerySystemInformation")));
    if (!query) return 0;
    std::vector<unsigned char> buffer(1 << 16);
    for (;;) {
        ULONG needed = 0;
        const LONG status = query(SystemHandleInformation, buffer.data(), static_cast<ULONG>(buffer.size()), &needed);
        if (status == StatusInfoLengthMismatch && buffer.size() < (1u << 28)) {
            buffer.resize(buffer.size() * 2);
            continue;
        }
        if (status != 0) return 0;
        break;
    }
    const auto* table = reinterpret_cast<const SystemHandleTable*>(buffer.data());
    const DWORD self = ::GetCurrentProcessId();
    DWORD count = 0;
    for (ULONG i = 0; i < table->count; ++i) {
        if (table->entries[i].ownerProcessId == self) ++count;
    }
    return count;
}

// Windows counts the handles itself; wine 8 answers 0 there, but keeps the system's handle table.
DWORD handleCount() {
    DWORD count = 0;
    if (::GetProcessHandleCount(::GetCurrentProcess(), &count) && count > 0) return count;
    return handlesInSystemTable();
}

// This test program once more, started suspended: a process the census can open and end, which never runs.
class SuspendedChild {
public:
    SuspendedChild() {
        wchar_t path[MAX_PATH] = {};
        ::GetModuleFileNameW(nullptr, path, MAX_PATH);
        std::wstring commandLine = L"\"" + std::wstring(path) + L"\" --gtest_list_tests";
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        started_ = harness::startProcess(commandLine, false, CREATE_SUSPENDED | CREATE_NO_WINDOW, startup, info_);
    }
    ~SuspendedChild() {
        if (!started_) return;
        ::TerminateProcess(info_.hProcess, 0);
        ::WaitForSingleObject(info_.hProcess, 5000);
        ::CloseHandle(info_.hThread);
        ::CloseHandle(info_.hProcess);
    }
    SuspendedChild(const SuspendedChild&) = delete;
    SuspendedChild& operator=(const SuspendedChild&) = delete;

    bool started() const { return started_; }
    int32_t id() const { return static_cast<int32_t>(info_.dwProcessId); }
    bool running() const { return ::WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT; }
    DWORD exitCode() const {
        ::WaitForSingleObject(info_.hProcess, 5000);
        DWORD code = STILL_ACTIVE;
        ::GetExitCodeProcess(info_.hProcess, &code);
        return code;
    }

private:
    PROCESS_INFORMATION info_{};
    bool started_ = false;
};

// Without this the flat count below would prove nothing.
TEST(CensusHandles, TheHandleCountSeesHandlesLeftOpen) {
    const DWORD before = handleCount();
    std::vector<HANDLE> events;
    for (int i = 0; i < 100; ++i) events.push_back(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    const DWORD withEvents = handleCount();
    for (HANDLE h : events) ::CloseHandle(h);
    EXPECT_GE(withEvents, before + 100) << "the handle count did not grow by the 100 events left open";
    EXPECT_LE(handleCount(), before + Slack) << "closing them did not bring it back";
}

// The child stands for the user's other processes: ids that name no single process (0 and negative ids
// are process groups elsewhere) leave it running; its own id ends it with exit code 1.
TEST(CensusHandles, EndsOnlyTheProcessAnIdNamesAndLeavesTheHandleCountFlat) {
    SuspendedChild child;
    ASSERT_TRUE(child.started()) << "no child process: error " << ::GetLastError();
    clsSystem3 census(std::make_shared<ToolhelpProcessTable>());
    for (const int32_t id : {0, -1, -4, INT32_MIN, INT32_MAX}) {
        census.killProzessID(id);
        EXPECT_TRUE(child.running()) << "killProzessID(" << id << ") ended another process";
    }

    const struct {
        const char* operation;
        std::function<void()> run;
    } cases[] = {
        {"count with a pattern", [&] { census.liefereProzessAnzahl(L"*Edge*"); }},
        {"look-up of a name nobody has (whole walk)", [&] { census.liefereProzessID(L"kein-solcher-prozess.exe"); }},
        {"look-up of this program", [&] { census.liefereProzessID(L"test_processes.exe"); }},
        {"kill of an existing process", [&] { census.killProzessID(child.id()); }},
        {"kill of an id that names no process", [&] { census.killProzessID(-2); }},
    };
    for (const auto& c : cases) {
        c.run();  // whatever the system sets up on first use is not a leak
        const DWORD before = handleCount();
        for (int i = 0; i < Rounds; ++i) c.run();
        const DWORD after = handleCount();
        EXPECT_LE(after, before + Slack) << c.operation << ": " << Rounds << " runs took the handle count from "
                                         << before << " to " << after;
    }
    EXPECT_EQ(child.exitCode(), 1u) << "its own id did not end the process with exit code 1";
}

}  // namespace
}  // namespace korvane

#endif
