// The application's prompts: the batch switches its alerts off before the first drawing, so that a
// drawing that asks at open or at save takes the default instead of waiting for nobody, and puts back
// the setting it found, on every way the run can end that runs code.
#include <gmock/gmock.h>

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
    bool savedAny() const {
        for (const auto& s : sims_)
            for (const auto& c : s->calls())
                if (c.member == L"Save" && c.kind == edgesim::CallKind::Call && c.ok) return true;
        return false;
    }
};

// What a killed run left for the run that resumes it.
enum class Earlier { None, Recorded, Unrecorded };

TEST_F(BatchAlerts, NoPromptWaitsAndTheSettingFoundIsPutBackOnEveryWayOut) {
    const struct Way {
        const char* what;
        const wchar_t* faults;   // scenario lines of the user's Solid Edge
        bool lost;               // a new instance, alerts the other way, takes over after the first dies
        Earlier earlier;         // the report resumed: the killed run left alerts off in Solid Edge
        bool unwritableReport;
        bool stop;               // Ctrl+C after the first drawing
        int32_t exit;
    } ways[] = {
        {"the run ends", L"", false, Earlier::None, false, false, batchexit::AllDone},
        {"Ctrl+C", L"", false, Earlier::None, false, true, batchexit::Interrupted},
        {"the template cannot be opened", L"fault Documents Open at 1 error 0x80004005\n", false, Earlier::None,
         false, false, batchexit::CouldNotStart},
        {"the report cannot be created", L"", false, Earlier::None, true, false, batchexit::CouldNotStart},
        {"the application is lost", L"fault Document Save at 2 crash\n", true, Earlier::None, false, false,
         batchexit::SomeNotDone},
        {"resumed after a kill", L"", false, Earlier::Recorded, false, false, batchexit::AllDone},
        {"resumed from a report of an earlier version", L"", false, Earlier::Unrecorded, false, false, batchexit::AllDone},
    };
    int run = 0;
    for (const bool start : {true, false}) {
        for (const Way& way : ways) {
            SCOPED_TRACE(std::string(way.what) + (start ? ", alerts on before" : ", alerts off before"));
            const std::wstring name = std::to_wstring(++run);
            const std::wstring folder = kFolder + L"\\" + name;
            drawing(name + L"\\a.dft", asking("open", {4}));
            drawing(name + L"\\b.dft", asking("save", {8}));
            drawing(name + L"\\c.dft", asking("open", {4, 8}));
            sims_.clear();
            processes->entries = std::vector<ProcessEntry>{{L"explorer.exe", 100}, {L"Edge.exe", 200}};
            reportFile = kShare + (way.unwritableReport ? L"\\Fehlt\\" : L"\\Bericht ") + name + L".csv";
            backupFolder = kShare + L"\\Sicherung " + name;
            std::vector<std::wstring> arguments{folder, L"/zeitlimit:2"};
            if (way.earlier != Earlier::None) {
                RunRecord killed = earlierRun();
                killed.folders = {folder};
                if (way.earlier == Earlier::Recorded) killed.alerts = start;
                scratch.writeFile(reportFile, reportText(killed, {}));
                arguments.push_back(L"/fortsetzen");
            }
            const bool found = way.earlier == Earlier::Recorded ? false : start;
            startApplication(L"running yes\nsetting 18 " + yesNo(found) + L"\n" + way.faults);
            if (way.lost) startApplication(L"running no\nsetting 18 " + yesNo(!start) + L"\n");

            ASSERT_EQ(way.exit, runBatch(arguments, [&] { return way.stop && savedAny(); })) << toUtf8(console.all());
            EXPECT_FALSE(endedWith.has_value()) << "the batch waited for Solid Edge until it ended itself";
            // The instance the run ends with: the one bound again when the first was lost.
            EXPECT_EQ(start, sims_.back()->setting(18)) << "the alerts setting was not put back";
            EXPECT_THAT(toUtf8(sims_.back()->stateText()), HasSubstr("DisplayAlerts(Bool False) -> ok"));
            for (const auto& s : sims_) EXPECT_THAT(toUtf8(s->stateText()), Not(HasSubstr(" shown "))) << "a prompt waited";
            if (way.exit == batchexit::CouldNotStart) continue;
            EXPECT_THAT(toUtf8(sims_.front()->stateText()), HasSubstr("prompt open default " + toUtf8(folder) + "\\a.dft"));
            const auto written = readReport(bytesOf(reportFile));
            ASSERT_TRUE(written.has_value());
            EXPECT_EQ(std::optional<bool>(start), written->run.alerts) << "the report does not record the setting found";
        }
    }
}

}  // namespace
}  // namespace korvane::test
