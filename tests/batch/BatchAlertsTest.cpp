// The application's prompts: the batch switches its alerts off before the first drawing, so that a
// drawing that asks at open or at save takes the default instead of waiting for nobody, and puts back
// the setting it found, on every way the run can end that runs code.
#include <gmock/gmock.h>

#include <cstdio>
#include <functional>
#include <optional>
#include <string>

#include "batch/BatchFixture.h"
#include "batch/ReportCsv.h"
#include "batch/RunRecord.h"

namespace korvane::test {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

std::wstring yesNo(bool value) { return value ? L"yes" : L"no"; }

// A drawing that asks when it is opened or saved (at: "open" or "save").
std::string asking(const char* at, const std::vector<int>& sizes) {
    std::string text = drawingText(sizes);
    return text.insert(text.find('\n') + 1, std::string("prompt ") + at + " Die Datei stammt aus einer älteren Version.\n");
}

class BatchAlerts : public BatchFixture {
public:
    // One way out of the run: what it finds, how it runs and how it ends.
    struct Way {
        const char* what;
        // Lays out what the run finds (drawings in `folder`, applications, an earlier report) for the
        // starting value; gives the arguments after the folder.
        std::function<std::vector<std::wstring>(BatchAlerts&, const std::wstring& folder, bool start)> setUp;
        int32_t exit;
        bool reportWritten;
        std::function<bool()> stop = [] { return false; };
    };

    // Three drawings: one asks at open, one at save, the last at open again.
    void askingDrawings(const std::wstring& folder) {
        const std::wstring relative = folder.substr(kFolder.size() + 1);
        drawing(relative + L"\\a.dft", asking("open", {4}));
        drawing(relative + L"\\b.dft", asking("save", {8}));
        drawing(relative + L"\\c.dft", asking("open", {4, 8}));
    }
    // Whether any drawing was saved yet (a stop request after the first).
    bool savedAny() const {
        for (const auto& s : sims_)
            for (const auto& c : s->calls())
                if (c.member == L"Save" && c.kind == edgesim::CallKind::Call && c.ok) return true;
        return false;
    }
    // The user's Solid Edge with alerts as given, and extra scenario lines.
    void usersApplication(bool alerts, const std::wstring& more = L"") {
        startApplication(L"running yes\nsetting 18 " + yesNo(alerts) + L"\n" + more);
    }
};

TEST_F(BatchAlerts, NoPromptWaitsAndTheSettingFoundIsPutBackOnEveryWayOut) {
    const Way ways[] = {
        {"the run ends",
         [](BatchAlerts& t, const std::wstring& folder, bool start) {
             t.askingDrawings(folder);
             t.usersApplication(start);
             return std::vector<std::wstring>{};
         },
         batchexit::AllDone, true},
        {"Ctrl+C after the first drawing",
         [](BatchAlerts& t, const std::wstring& folder, bool start) {
             t.askingDrawings(folder);
             t.usersApplication(start);
             return std::vector<std::wstring>{};
         },
         batchexit::Interrupted, true,
         [this] { return savedAny(); }},
        {"the template cannot be opened",
         [](BatchAlerts& t, const std::wstring& folder, bool start) {
             t.askingDrawings(folder);
             t.usersApplication(start, L"fault Documents Open at 1 error 0x80004005\n");
             return std::vector<std::wstring>{};
         },
         batchexit::CouldNotStart, false},
        {"the report cannot be created",
         [](BatchAlerts& t, const std::wstring& folder, bool start) {
             t.askingDrawings(folder);
             t.usersApplication(start);
             t.reportFile = kShare + L"\\Fehlt\\Bericht.csv";
             return std::vector<std::wstring>{};
         },
         batchexit::CouldNotStart, false},
        {"the application is lost and a new one started, alerts the other way",
         [](BatchAlerts& t, const std::wstring& folder, bool start) {
             t.askingDrawings(folder);
             t.usersApplication(start, L"fault \"Document(" + folder + L"\\b.dft)\" Save crash\n");
             t.startApplication(L"running no\nsetting 18 " + yesNo(!start) + L"\n");
             return std::vector<std::wstring>{};
         },
         batchexit::SomeNotDone, true},
        {"resumed after a kill that left alerts off",
         [](BatchAlerts& t, const std::wstring& folder, bool start) {
             t.askingDrawings(folder);
             RunRecord killed = t.earlierRun();
             killed.folders = {folder};
             killed.alerts = start;
             t.scratch.writeFile(t.reportFile, reportText(killed, {}));
             t.usersApplication(false);
             return std::vector<std::wstring>{L"/fortsetzen"};
         },
         batchexit::AllDone, true},
        {"resumed from a report that does not record alerts",
         [](BatchAlerts& t, const std::wstring& folder, bool start) {
             t.askingDrawings(folder);
             RunRecord killed = t.earlierRun();
             killed.folders = {folder};
             t.scratch.writeFile(t.reportFile, reportText(killed, {}));
             t.usersApplication(start);
             return std::vector<std::wstring>{L"/fortsetzen"};
         },
         batchexit::AllDone, true},
    };
    const wchar_t* const folders[] = {L"Ende", L"Strg", L"Vorlage", L"Bericht", L"Verloren", L"Fortgesetzt", L"Alt"};
    for (const bool start : {true, false}) {
        for (size_t i = 0; i < std::size(ways); ++i) {
            const Way& way = ways[i];
            SCOPED_TRACE(std::string(way.what) + (start ? ", alerts on before" : ", alerts off before"));
            const std::wstring folder = kFolder + L"\\" + folders[i] + (start ? L"An" : L"Aus");
            sims_.clear();
            console.lines.clear();
            // The instance a lost application's successor started has gone with its run.
            processes->entries = std::vector<ProcessEntry>{{L"explorer.exe", 100}, {L"Edge.exe", 200}};
            reportFile = kShare + L"\\Bericht " + folders[i] + (start ? L"An" : L"Aus") + L".csv";
            backupFolder = kShare + L"\\Sicherung " + folders[i] + (start ? L"An" : L"Aus");
            std::vector<std::wstring> arguments = way.setUp(*this, folder, start);
            arguments.insert(arguments.begin(), {folder, L"/zeitlimit:2"});
            ASSERT_EQ(way.exit, runBatch(arguments, way.stop)) << toUtf8(console.all());
            EXPECT_FALSE(endedWith.has_value()) << "the batch waited for Solid Edge until it ended itself";

            // The instance the run ends with: the one bound again when the first was lost.
            const edgesim::Simulator& last = *sims_.back();
            EXPECT_EQ(start, last.setting(18)) << "the alerts setting was not put back";
            for (const auto& s : sims_) EXPECT_THAT(toUtf8(s->stateText()), Not(HasSubstr(" shown "))) << "a prompt waited";
            if (way.exit != batchexit::CouldNotStart) {
                EXPECT_THAT(toUtf8(sims_.front()->stateText()), HasSubstr("prompt open default " + toUtf8(folder) + "\\a.dft"))
                    << "the drawing that asks was not worked on";
            }
            if (way.reportWritten) {
                const auto written = readReport(bytesOf(reportFile));
                ASSERT_TRUE(written.has_value());
                EXPECT_EQ(std::optional<bool>(start), written->run.alerts) << "the report does not record the setting found";
            } else {
                EXPECT_THAT(toUtf8(last.stateText()), HasSubstr("DisplayAlerts(Bool False) -> ok"))
                    << "the start failed before the run had bound and switched alerts off";
            }
        }
    }
}

}  // namespace
}  // namespace korvane::test
