// The process census over a scripted process table, and over the system's own table.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/FakeProcessTable.h"
#include "app/clsSystem3.h"
#include "automation/TextConvert.h"

#ifdef _WIN32
#include <windows.h>

#include "app/win32/ToolhelpProcessTable.h"
#else
#include <signal.h>
#include <unistd.h>

#include "app/posix/ProcProcessTable.h"
#endif

namespace korvane {
namespace {

using test::FakeProcessTable;

std::shared_ptr<FakeProcessTable> tableOf(std::vector<ProcessEntry> entries) {
    auto t = std::make_shared<FakeProcessTable>();
    t->entries = std::move(entries);
    return t;
}

const std::vector<ProcessEntry> kWorkstation = {
    {L"System", 4},        {L"explorer.exe", 1200}, {L"Edge.exe", 3400},      {L"msedge.exe", 3500},
    {L"EdgeSim.exe", 3600}, {L"EdgeSim.exe", 3700}, {L"notepad.exe", 4000},
};

TEST(Census, CountsNamesMatchingThePatternWithLetterCase) {
    struct Case {
        std::vector<ProcessEntry> entries;
        std::wstring pattern;
        int32_t expected;
    };
    const Case cases[] = {
        {{{L"explorer.exe", 1}, {L"notepad.exe", 2}}, L"*Edge*", 0},
        {{{L"Edge.exe", 1}, {L"msedge.exe", 2}}, L"*Edge*", 1},          // "edge" in lower case only is not counted
        {{{L"EdgeSim.exe", 1}, {L"EdgeSim.exe", 2}}, L"*Edge*", 2},      // two processes of one executable
        {kWorkstation, L"*", 7},                                         // a lone star counts everything
        {kWorkstation, L"*edge*", 1},
        {kWorkstation, L"EdgeSim.exe", 2},                               // no wildcard: the whole name
        {kWorkstation, L"EdgeSim", 0},                                   // whole name, not a part of it
        {kWorkstation, L"edgesim.exe", 0},
        {kWorkstation, L"[EN]*.exe", 3},                               // "notepad" starts with a lower-case n
        {kWorkstation, L"[!e]*", 6},
        {kWorkstation, L"?dge*", 3},
        {{{L"Edge2.exe", 1}, {L"EdgeX.exe", 2}}, L"Edge#.exe", 1},
        {{}, L"*", 0},
        {{{L"", 1}}, L"*", 1},                                           // an empty name is still a process
        {kWorkstation, L"[Z-A]*", 0},                                    // an unreadable pattern matches nothing
    };
    for (const auto& c : cases) {
        clsSystem3 census(tableOf(c.entries));
        EXPECT_EQ(census.liefereProzessAnzahl(c.pattern), c.expected) << "pattern " << toUtf8(c.pattern);
    }
}

TEST(Census, FindsTheFirstIdOfANameIgnoringLetterCase) {
    struct Case {
        std::wstring name;
        int32_t expected;
    };
    const Case cases[] = {
        {L"EdgeSim.exe", 3600},   // the first of two in snapshot order
        {L"EDGESIM.EXE", 3600},   // letter case does not matter
        {L"edge.exe", 3400},
        {L"EdgeSim", 0},          // a part of the name finds nothing
        {L"*Edge*", 0},           // no wildcards
        {L"", 0},
        {L"system", 4},
    };
    for (const auto& c : cases) {
        clsSystem3 census(tableOf(kWorkstation));
        EXPECT_EQ(census.liefereProzessID(c.name), c.expected) << "name " << toUtf8(c.name);
    }
}

TEST(Census, WithoutSnapshotEverythingIsZero) {
    auto table = std::make_shared<FakeProcessTable>();  // no snapshot to be had
    clsSystem3 census(table);
    EXPECT_EQ(census.liefereProzessAnzahl(L"*"), 0);
    EXPECT_EQ(census.liefereProzessID(L"System"), 0);
    EXPECT_EQ(table->snapshots, 2) << "each operation takes its own snapshot";
}

TEST(Census, KillTerminatesWithExitCodeOne) {
    auto table = tableOf(kWorkstation);
    clsSystem3 census(table);
    census.killProzessID(3600);
    census.killProzessID(-5);
    ASSERT_EQ(table->terminated.size(), 2u);
    EXPECT_EQ(table->terminated[0], std::make_pair(3600u, 1u));
    EXPECT_EQ(table->terminated[1], std::make_pair(static_cast<uint32_t>(-5), 1u));
}

TEST(Census, WithoutATableNothingFailsAndNothingIsFound) {
    clsSystem3 census(nullptr);
    EXPECT_EQ(census.liefereProzessAnzahl(L"*"), 0);
    EXPECT_EQ(census.liefereProzessID(L"x"), 0);
    census.killProzessID(1);
}

// The system's own process table, which lists this very test program under its executable name.
struct SystemTable { std::shared_ptr<ProcessTable> table; int32_t ownId; std::wstring ownName; };

SystemTable systemTable() {
#ifdef _WIN32
    return {std::make_shared<ToolhelpProcessTable>(), static_cast<int32_t>(::GetCurrentProcessId()), L"TEST_APP.EXE"};
#else
    return {std::make_shared<ProcProcessTable>(), static_cast<int32_t>(::getpid()), L"TEST_APP"};
#endif
}

TEST(Census, TheSystemTableFindsThisProcess) {
    const SystemTable system = systemTable();
    clsSystem3 census(system.table);
    // Other tests of this program may run beside this one, and the look-up gives the first process of
    // the name: it must name a process of this program, and this process must be in the table.
    const auto processes = system.table->snapshot().value_or(std::vector<ProcessEntry>{});
    const auto runsThisProgram = [&](int32_t id) {
        return std::any_of(processes.begin(), processes.end(), [&](const ProcessEntry& p) {
            return static_cast<int32_t>(p.processId) == id && toLower(p.exeName) == toLower(system.ownName);
        });
    };
    EXPECT_TRUE(runsThisProgram(system.ownId)) << "this process is missing from the table";
    const int32_t found = census.liefereProzessID(system.ownName);
    EXPECT_TRUE(found != 0 && runsThisProgram(found)) << "the look-up gave " << found;
    EXPECT_GE(census.liefereProzessAnzahl(L"test_app*"), 1);
    EXPECT_GE(census.liefereProzessAnzahl(L"*"), 2);
    EXPECT_EQ(census.liefereProzessAnzahl(L"TEST_APP*"), 0) << "the count respects letter case";
}

// Ids that name no single process must never reach the system: 0 and negative ids are process groups to
// kill(2) (-1: every process the user may signal). Every other id is ended with exit code 1.
#ifdef _WIN32
TEST(Census, TerminatingAnIdThatNamesNoProcessEndsNothing) {
    // A suspended copy of this program stands for the user's other processes: ids that name no process
    // leave it running; its own id ends it with exit code 1.
    std::wstring self(MAX_PATH, L'\0');
    self.resize(::GetModuleFileNameW(nullptr, self.data(), MAX_PATH));
    std::wstring commandLine = L"\"" + self + L"\" --gtest_list_tests";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION child{};
    ASSERT_TRUE(::CreateProcessW(self.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                                 CREATE_SUSPENDED | CREATE_NO_WINDOW, nullptr, nullptr, &startup, &child));
    ::CloseHandle(child.hThread);
    clsSystem3 census(systemTable().table);
    for (const int32_t id : {0, -1, -4, INT32_MIN, INT32_MAX}) {
        census.killProzessID(id);
        EXPECT_EQ(::WaitForSingleObject(child.hProcess, 0), WAIT_TIMEOUT) << "killProzessID(" << id << ") ended another process";
    }
    census.killProzessID(static_cast<int32_t>(child.dwProcessId));
    EXPECT_EQ(::WaitForSingleObject(child.hProcess, 10000), WAIT_OBJECT_0) << "its own id did not end the process";
    DWORD exitCode = 0;
    ::GetExitCodeProcess(child.hProcess, &exitCode);
    EXPECT_EQ(exitCode, 1u);
    ::TerminateProcess(child.hProcess, 0);
    ::CloseHandle(child.hProcess);
}
#else
TEST(Census, TerminatingAnIdThatNamesNoProcessSignalsNothing) {
    struct Case {
        int32_t id;
        std::vector<std::pair<int, int>> signalled;  // process id, signal number
    };
    const Case cases[] = {
        {0, {}},                      // kill(2): the caller's process group
        {-1, {}},                     // kill(2): every process the user may signal
        {-4711, {}},                  // kill(2): process group 4711
        {INT32_MIN, {}},
        {4711, {{4711, SIGKILL}}},
        {INT32_MAX, {{INT32_MAX, SIGKILL}}},
    };
    for (const auto& c : cases) {
        std::vector<std::pair<int, int>> sent;
        auto table = std::make_shared<ProcProcessTable>([&sent](int processId, int signalNumber) {
            sent.emplace_back(processId, signalNumber);
            return 0;
        });
        clsSystem3(table).killProzessID(c.id);
        EXPECT_EQ(sent, c.signalled) << "killProzessID(" << c.id << ") signalled differently";
    }
}
#endif

}  // namespace
}  // namespace korvane
