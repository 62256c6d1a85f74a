// The batch replaces an instance of the CAD application it started after every N drawings it opened
// there, between two drawings, and makes every instance it started visible; the user's Solid Edge is
// never restarted nor touched.
#include <gmock/gmock.h>

#include <algorithm>
#include <filesystem>

#include "batch/BatchFixture.h"
#include "batch/ExitCodes.h"

namespace korvane::test {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

class CadRestart : public BatchFixture {
public:
    // No drawings, report or backups of an earlier row of a table.
    void clear() {
        std::filesystem::remove_all(scratch.hostPath(kFolder));
        std::filesystem::remove_all(scratch.hostPath(backupFolder));
        std::filesystem::remove(scratch.hostPath(reportFile));
    }

    // Drawings d1..dN of one A4 sheet each.
    std::vector<std::wstring> drawings(int count) {
        std::vector<std::wstring> paths;
        for (int i = 1; i <= count; ++i) paths.push_back(drawing(L"d" + std::to_wstring(i) + L".dft", drawingText({4})));
        return paths;
    }

    // The drawings each instance opened (its successful opens less the template's), for the instances
    // that opened anything, in the order they took over.
    std::vector<size_t> drawingsPerInstance() const {
        std::vector<size_t> out;
        for (const auto& s : sims_) {
            size_t opens = 0;
            bool templateOpened = false;
            for (const auto& c : s->calls()) {
                if (c.objectKind != L"Documents" || c.member != L"Open" || !c.ok) continue;
                const bool isTemplate = !c.arguments.empty() && c.arguments[0].find(L"Vorlagen") != std::wstring::npos;
                templateOpened = templateOpened || isTemplate;
                opens += isTemplate ? 0 : 1;
            }
            if (opens > 0 || templateOpened) out.push_back(opens);
        }
        return out;
    }

    // Where in an instance's log Visible was set True (0: never), and where the first document was opened.
    static std::pair<size_t, size_t> visibleAndFirstOpen(const edgesim::Simulator& s) {
        size_t visible = 0, open = 0;
        for (const auto& c : s.calls()) {
            if (!visible && c.member == L"Visible" && c.kind == edgesim::CallKind::Put && c.ok && !c.arguments.empty() &&
                c.arguments[0].find(L"True") != std::wstring::npos)
                visible = c.sequence;
            if (!open && c.member == L"Open" && c.kind == edgesim::CallKind::Call) open = c.sequence;
        }
        return {visible, open};
    }
};

TEST_F(CadRestart, AStartedInstanceIsReplacedAfterEveryNDrawingsItOpenedAndTheUsersNever) {
    struct Row {
        const char* name;
        const wchar_t* first;        // the scenario of the application found or started first
        std::vector<std::wstring> arguments;
        int drawings;
        int readOnly;                // this drawing (from 1) is skipped before it is opened; 0 none
        std::vector<size_t> perInstance;
        const char* notice;          // said on the console ("" for nothing)
    };
    const std::vector<Row> rows = {
        {"every 3", L"running no\n", {L"/neustart:3"}, 7, 0, {3, 3, 1}, ""},
        {"none after the last drawing", L"running no\n", {L"/neustart:3"}, 6, 0, {3, 3}, ""},
        {"a drawing skipped before its open does not count", L"running no\n", {L"/neustart:3"}, 7, 2, {3, 3}, ""},
        {"every drawing", L"running no\n", {L"/neustart:1"}, 3, 0, {1, 1, 1}, ""},
        {"default 30", L"running no\n", {}, 7, 0, {7}, ""},
        {"0 never", L"running no\n", {L"/neustart:0"}, 7, 0, {7}, ""},
        {"the user's Solid Edge", L"running yes\n", {L"/neustart:3"}, 7, 0, {7}, "gehört dem Benutzer; es wird deshalb nicht neu gestartet"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        sims_.clear();
        console.lines.clear();
        clear();
        const std::vector<std::wstring> paths = drawings(row.drawings);
        if (row.readOnly > 0) setReadOnly(paths[static_cast<size_t>(row.readOnly - 1)]);
        startApplication(row.first);
        for (int i = 0; i < 4; ++i) startApplication(L"running no\n");
        std::vector<std::wstring> arguments = {kFolder};
        arguments.insert(arguments.end(), row.arguments.begin(), row.arguments.end());

        EXPECT_EQ(row.readOnly > 0 ? batchexit::SomeNotDone : batchexit::AllDone, runBatch(arguments));
        EXPECT_EQ(row.perInstance, drawingsPerInstance()) << "drawings opened per instance differ";
        for (size_t i = 0; i < paths.size(); ++i) {
            if (static_cast<int>(i + 1) == row.readOnly) continue;
            EXPECT_EQ(Outcome::Exchanged, rowOf(paths[i]).outcome) << toUtf8(paths[i]);
        }
        const bool users = std::wstring(row.first) == L"running yes\n";
        for (size_t i = 0; i < row.perInstance.size(); ++i) {
            const auto& s = *sims_[i];
            // Each instance the batch started was ended by it, the template it opened there closed first.
            EXPECT_EQ(!users, s.hasQuit()) << "instance " << i;
            EXPECT_TRUE(s.documents().empty()) << "instance " << i << " still has documents open";
            EXPECT_EQ(users ? 0u : 1u, s.startCount()) << "instance " << i;
        }
        const std::string said = toUtf8(console.all());
        if (*row.notice) EXPECT_THAT(said, HasSubstr(row.notice));
        else EXPECT_THAT(said, Not(HasSubstr("nicht neu gestartet")));
        EXPECT_EQ(row.perInstance.size() - 1,
                  static_cast<size_t>(std::count_if(console.lines.begin(), console.lines.end(), [](const std::wstring& l) {
                      return l.find(L"beendet und neu gestartet") != std::wstring::npos;
                  })))
            << said;
    }
}

TEST_F(CadRestart, OnlyAnInstanceTheBatchStartedIsMadeVisibleBeforeItsFirstDrawing) {
    for (const bool started : {false, true}) {
        SCOPED_TRACE(started ? "started by the batch" : "the user's");
        sims_.clear();
        clear();
        drawings(2);
        startApplication(started ? L"running no\n" : L"running yes\n");
        EXPECT_EQ(batchexit::AllDone, runBatch({kFolder}));
        const auto [visible, firstOpen] = visibleAndFirstOpen(sim());
        ASSERT_NE(0u, firstOpen);
        if (started) EXPECT_TRUE(visible > 0 && visible < firstOpen) << "Visible set at " << visible << ", first open at " << firstOpen;
        else EXPECT_EQ(0u, visible) << "the user's Solid Edge was made visible";
    }
}

TEST_F(CadRestart, ARestartThatFailsIsALostApplicationBoundAgain) {
    const std::vector<std::wstring> paths = drawings(5);
    startApplication(L"running no\n");
    // The fresh instance fails right after it was started: the batch ends it and binds once more.
    startApplication(L"running no\nfault Application Visible error 0x80004005 \"Fehler beim Start\"\n");
    startApplication(L"running no\n");
    startApplication(L"running no\n");
    EXPECT_EQ(batchexit::AllDone, runBatch({kFolder, L"/neustart:2"}));
    for (const auto& p : paths) EXPECT_EQ(Outcome::Exchanged, rowOf(p).outcome) << toUtf8(p);
    EXPECT_TRUE(sims_[1]->hasQuit());
    // The failed instance opened nothing, not even the template.
    EXPECT_EQ((std::vector<size_t>{2, 2, 1}), drawingsPerInstance());
    EXPECT_EQ(1u, sims_[1]->startCount());
}

TEST_F(CadRestart, WhenNoFreshInstanceCanBeHadTheRunStopsResumable) {
    const std::vector<std::wstring> paths = drawings(4);
    startApplication(L"running no\n");
    startApplication(L"running no\nfault Application Visible always error 0x80004005 \"Fehler beim Start\"\n");
    EXPECT_EQ(batchexit::Interrupted, runBatch({kFolder, L"/neustart:2"}));
    EXPECT_THAT(toUtf8(console.all()), HasSubstr("Solid Edge steht nicht mehr zur Verfügung"));
    const std::vector<DrawingResult> rows = report();
    ASSERT_EQ(2u, rows.size());
    for (const auto& r : rows) EXPECT_EQ(Outcome::Exchanged, r.outcome) << toUtf8(r.path);
    EXPECT_EQ(drawingText({4}), bytesOf(paths[2]));
    EXPECT_EQ(drawingText({4}), bytesOf(paths[3]));
    EXPECT_TRUE(sims_[0]->documents().empty());
}

TEST_F(CadRestart, TheHangResponseEndsTheFreshInstanceNotTheOneBefore) {
    const std::vector<std::wstring> paths = drawings(4);
    startApplication(L"running no\n");
    startApplication(L"running no\nfault \"Document(" + paths[2] + L")\" Close hang\n");
    startApplication(L"running no\n");
    EXPECT_EQ(batchexit::SomeNotDone, runBatch({kFolder, L"/neustart:2", L"/zeitlimit:1"}));
    // Processes 300, 301, 302 in the order the instances were started.
    EXPECT_EQ((std::vector<std::pair<uint32_t, uint32_t>>{{301, 1}}), processes->terminated);
    EXPECT_EQ(Outcome::Failed, rowOf(paths[2]).outcome);
    EXPECT_EQ(drawingText({4}), bytesOf(paths[2]));
    EXPECT_EQ(Outcome::Exchanged, rowOf(paths[3]).outcome);
    EXPECT_FALSE(endedWith.has_value());
}

TEST_F(CadRestart, ASolidEdgeTheUserStartsMeanwhilePutsTheRestartOffInsteadOfBeingTakenOver) {
    const std::vector<std::wstring> paths = drawings(6);
    startApplication(L"running no\n");
    startApplication(L"running no\n");
    // The user's Solid Edge (process 900) appears after the second drawing and is closed after the fourth.
    afterDrawing = [&](size_t worked) {
        if (worked == 2) processes->entries->push_back({L"Edge.exe", 900});
        if (worked == 4) std::erase_if(*processes->entries, [](const ProcessEntry& e) { return e.processId == 900; });
    };
    EXPECT_EQ(batchexit::AllDone, runBatch({kFolder, L"/neustart:2"}));
    for (const auto& p : paths) EXPECT_EQ(Outcome::Exchanged, rowOf(p).outcome) << toUtf8(p);
    // Four drawings in the batch's own, the restart once the other was gone, then two in a fresh one.
    EXPECT_EQ((std::vector<size_t>{4, 2}), drawingsPerInstance()) << toUtf8(console.all());
    EXPECT_THAT(toUtf8(console.all()), HasSubstr("Ein weiteres Solid Edge ist gestartet worden"));
}

}  // namespace
}  // namespace korvane::test
