// What the batch keeps across runs and tells its caller: which rows of an earlier report a resumed run
// passes over, the exit code of a run without failures, and report fields that read back as written.
#include <gmock/gmock.h>

#include "batch/BatchFixture.h"
#include "batch/ReportCsv.h"
#include "batch/RunRecord.h"

namespace korvane::test {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

class BatchGuards : public BatchFixture {};

// Only drawings done earlier are passed over; what was skipped or failed may work now.
TEST_F(BatchGuards, AResumedRunWorksAgainOnWhatTheReportShowsSkippedOrFailed) {
    struct Row {
        const wchar_t* name;
        Outcome earlier;
        bool workedAgain;
    };
    const std::vector<Row> rows = {
        {L"getauscht.dft", Outcome::Exchanged, false},
        {L"teilweise.dft", Outcome::PartlyExchanged, false},
        {L"uebersprungen.dft", Outcome::Skipped, true},
        {L"fehlgeschlagen.dft", Outcome::Failed, true},
    };
    const std::string original = drawingText({4});
    std::vector<DrawingResult> earlier;
    for (const Row& row : rows) {
        earlier.emplace_back();
        earlier.back().path = drawing(row.name, original);
        earlier.back().outcome = row.earlier;
    }
    scratch.writeFile(reportFile, reportText(earlierRun(), earlier));
    startApplication();
    EXPECT_EQ(batchexit::AllDone, runBatch({kFolder, L"/fortsetzen"}));

    for (size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE(toUtf8(rows[i].name));
        const std::wstring& path = earlier[i].path;
        EXPECT_EQ(rows[i].workedAgain, bytesOf(path) != original) << "file after the run:\n" << bytesOf(path);
        EXPECT_EQ(outcomeText(rows[i].workedAgain ? Outcome::Exchanged : rows[i].earlier), outcomeText(rowOf(path).outcome));
    }
}

TEST_F(BatchGuards, ARunWithEveryDrawingExchangedOrPartlyExchangedEndsWithZero) {
    // The template has no sheet of size 12, so that sheet keeps its content.
    const std::wstring whole = drawing(L"ganz.dft", drawingText({4, 8}));
    const std::wstring partly = drawing(L"teilweise.dft", drawingText({4, 12}));
    startApplication();
    EXPECT_EQ(batchexit::AllDone, runBatch({kFolder}));
    EXPECT_EQ(Outcome::Exchanged, rowOf(whole).outcome);
    EXPECT_EQ(Outcome::PartlyExchanged, rowOf(partly).outcome);
    EXPECT_THAT(toUtf8(console.all()), Not(HasSubstr("Fehler")));
}

// A lone quote left unquoted opens a quoted field that swallows the rows after it.
TEST(BatchGuardsReport, AFieldWhoseOnlySpecialCharacterIsAQuoteReadsBackWithTheRowsAfterIt) {
    struct Row {
        const char* field;
        std::function<void(DrawingResult&)> set;
    };
    const std::vector<Row> rows = {
        {"path", [](DrawingResult& r) { r.path = L"Y:\\Zeichnungen\\Welle 3\".dft"; }},
        {"sheets exchanged", [](DrawingResult& r) { r.exchanged = L"Blatt \"A3"; }},
        {"sheets without partner", [](DrawingResult& r) { r.withoutPartner = L"Hintergrund 2\" (12)"; }},
        {"error text", [](DrawingResult& r) { r.errorText = L"Maß 3\" fehlt"; }},
        {"error text, quotes paired", [](DrawingResult& r) { r.errorText = L"Vorlage \"alt\" geöffnet"; }},
        {"backup", [](DrawingResult& r) { r.backup = L"Y:\\Sicherung\\Welle 3\".dft"; }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.field);
        DrawingResult tricky, after, last;
        tricky.path = L"Y:\\Zeichnungen\\a.dft";
        tricky.outcome = Outcome::Failed;
        row.set(tricky);
        after.path = L"Y:\\Zeichnungen\\b.dft";
        after.outcome = Outcome::Exchanged;
        after.exchanged = L"2";
        last.path = L"Y:\\Zeichnungen\\c.dft";
        last.outcome = Outcome::Skipped;
        last.errorText = L"schreibgeschützt";
        const std::string text = reportText(RunRecord{}, {tricky, after, last});
        const std::vector<DrawingResult> back = readReport(text).value_or(Report{}).rows;
        ASSERT_EQ(3u, back.size()) << text;
        for (size_t i = 0; i < back.size(); ++i) {
            const DrawingResult& wanted = i == 0 ? tricky : i == 1 ? after : last;
            EXPECT_EQ(toUtf8(wanted.path + L"|" + outcomeText(wanted.outcome) + L"|" + wanted.exchanged + L"|" +
                             wanted.withoutPartner + L"|" + wanted.errorText + L"|" + wanted.backup),
                      toUtf8(back[i].path + L"|" + outcomeText(back[i].outcome) + L"|" + back[i].exchanged + L"|" +
                             back[i].withoutPartner + L"|" + back[i].errorText + L"|" + back[i].backup))
                << "row " << i << " of\n" << text;
        }
    }
}

}  // namespace
}  // namespace korvane::test
