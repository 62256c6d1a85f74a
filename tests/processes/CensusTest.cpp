// The process census over a scripted process table, and over the system's own table. The count is
// binary and case-sensitive, ranges in code order; the look-up by name folds letters as the system
// does, in every alphabet.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "automation/TextConvert.h"
#include "processes/FakeProcessTable.h"
#include "processes/clsSystem3.h"

#ifdef _WIN32
#include <windows.h>

#include "processes/win32/ToolhelpProcessTable.h"
#else
#include <signal.h>
#include <unistd.h>

#include "processes/posix/ProcProcessTable.h"
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
    {L"System", 4},         {L"explorer.exe", 1200}, {L"Edge.exe", 3400},     {L"msedge.exe", 3500},
    {L"EdgeSim.exe", 3600}, {L"EdgeSim.exe", 3700},  {L"notepad.exe", 4000}, {L"ЧЕРТЁЖ.EXE", 4100},
    {L"Übersicht.exe", 4200}, {L"Zeichnung.exe", 4300},
};

TEST(Census, CountsNamesMatchingThePatternWithLetterCase) {
    const struct {
        std::vector<ProcessEntry> entries;
        std::wstring pattern;
        int32_t expected;
    } cases[] = {
        {kWorkstation, L"*Edge*", 3},       // "msedge" has it in lower case only
        {kWorkstation, L"EdgeSim.exe", 2},  // no wildcard: the whole name, not a part of it
        {kWorkstation, L"edgesim.exe", 0},
        {kWorkstation, L"[T-Z]*", 1},       // "Zeichnung": "Ü" lies beyond "Z" in code order
        {kWorkstation, L"[Z-A]*", 0},       // an unreadable pattern matches nothing
        {{{L"", 1}}, L"*", 1},              // an empty name is still a process
    };
    for (const auto& c : cases) {
        clsSystem3 census(tableOf(c.entries));
        EXPECT_EQ(census.liefereProzessAnzahl(c.pattern), c.expected) << "pattern " << toUtf8(c.pattern);
    }
}

TEST(Census, FindsTheFirstIdOfANameIgnoringLetterCase) {
    const struct {
        std::wstring name;
        int32_t expected;
    } cases[] = {
        {L"EdgeSim.exe", 3600},  // the first of two in snapshot order
        {L"EDGESIM.EXE", 3600},
        {L"EdgeSim", 0},         // a part of the name finds nothing
        {L"*Edge*", 0},          // no wildcards
        {L"чертёж.exe", 4100},   // Cyrillic folds too
    };
    for (const auto& c : cases) {
        clsSystem3 census(tableOf(kWorkstation));
        EXPECT_EQ(census.liefereProzessID(c.name), c.expected) << "name " << toUtf8(c.name);
    }
}

TEST(Census, WithoutSnapshotOrTableNothingFailsAndNothingIsFound) {
    auto table = std::make_shared<FakeProcessTable>();  // no snapshot to be had
    for (const auto& t : {std::shared_ptr<FakeProcessTable>(table), std::shared_ptr<FakeProcessTable>()}) {
        clsSystem3 census(t);
        EXPECT_EQ(census.liefereProzessAnzahl(L"*"), 0);
        EXPECT_EQ(census.liefereProzessID(L"System"), 0);
        census.killProzessID(1);
    }
    EXPECT_EQ(table->snapshots, 2) << "each operation takes its own snapshot";
    EXPECT_EQ(table->terminated, (std::vector<std::pair<uint32_t, uint32_t>>{{1u, 1u}})) << "ended with exit code 1";
}

// The system's own process table, which lists this very test program under its executable name.
TEST(Census, TheSystemTableFindsThisProcess) {
#ifdef _WIN32
    const auto table = std::make_shared<ToolhelpProcessTable>();
    const auto ownId = static_cast<int32_t>(::GetCurrentProcessId());
    const std::wstring ownName = L"TEST_PROCESSES.EXE";
#else
    const auto table = std::make_shared<ProcProcessTable>();
    const auto ownId = static_cast<int32_t>(::getpid());
    const std::wstring ownName = L"TEST_PROCESSES";
#endif
    clsSystem3 census(table);
    // Other tests of this program may run beside this one, and the look-up gives the first process of
    // the name: it must name a process of this program, and this process must be in the table.
    const auto processes = table->snapshot().value_or(std::vector<ProcessEntry>{});
    const auto runsThisProgram = [&](int32_t id) {
        return std::any_of(processes.begin(), processes.end(), [&](const ProcessEntry& p) {
            return static_cast<int32_t>(p.processId) == id && toLower(p.exeName) == toLower(ownName);
        });
    };
    EXPECT_TRUE(runsThisProgram(ownId)) << "this process is missing from the table";
    const int32_t found = census.liefereProzessID(ownName);
    EXPECT_TRUE(found != 0 && runsThisProgram(found)) << "the look-up gave " << found;
    EXPECT_GE(census.liefereProzessAnzahl(L"test_processes*"), 1);
    EXPECT_EQ(census.liefereProzessAnzahl(L"TEST_PROCESSES*"), 0) << "the count respects letter case";
}

#ifndef _WIN32
// Ids that name no single process must never reach the system: 0 and negative ids are process groups to
// kill(2) (-1: every process the user may signal). Every other id is ended. (Windows: CensusHandleCountTest.)
TEST(Census, TerminatingAnIdThatNamesNoProcessSignalsNothing) {
    const struct {
        int32_t id;
        std::vector<std::pair<int, int>> signalled;  // process id, signal number
    } cases[] = {
        {0, {}},       // kill(2): the caller's process group
        {-1, {}},      // kill(2): every process the user may signal
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
