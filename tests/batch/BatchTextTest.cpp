// The batch's texts: command line, progress line, report rows read back.
#include <gmock/gmock.h>

#include "automation/TextConvert.h"
#include "batch/BatchOptions.h"
#include "batch/Progress.h"
#include "batch/ReportCsv.h"
#include "batch/RunRecord.h"
#include "batch/TextColumns.h"

namespace korvane {
namespace {

using namespace std::chrono_literals;

// What a parsed command line asks for, as one text, so that a failure shows every difference at once.
std::wstring asked(const BatchOptions& o) {
    return std::wstring(o.probe ? L"probe " : L"") + (o.subfolders ? L"s " : L"") + (o.resume ? L"fortsetzen " : L"") +
           L"vorlage=" + o.templateChoice + L" bericht=" + o.reportFile + L" liste=" + o.listFile;
}

TEST(BatchOptionsParse, WindowsAndDashSpellingsMeanTheSame) {
    const std::vector<std::pair<std::vector<std::wstring>, std::wstring>> rows = {
        {{L"X:\\a", L"/probe", L"/s"}, L"probe s vorlage=Normal bericht= liste="},
        {{L"X:\\a", L"--probe", L"--unterordner"}, L"probe s vorlage=Normal bericht= liste="},
        {{L"X:\\a", L"/Vorlage:eng.chin.Normal", L"/BERICHT:b.csv", L"/fortsetzen"},
         L"fortsetzen vorlage=eng.chin.Normal bericht=b.csv liste="},
        {{L"--vorlage=C:\\v.dft", L"--liste=l.txt"}, L"vorlage=C:\\v.dft bericht= liste=l.txt"},
    };
    for (const auto& [args, expected] : rows) {
        const auto parsed = parseBatchOptions(args);
        ASSERT_TRUE(std::holds_alternative<BatchOptions>(parsed)) << toUtf8(std::get<OptionsError>(parsed).text);
        EXPECT_EQ(expected, asked(std::get<BatchOptions>(parsed)));
    }
}

TEST(BatchOptionsParse, UnusableCommandLinesAreRefusedWithAReason) {
    const std::vector<std::pair<std::vector<std::wstring>, std::string>> rows = {
        {{}, "Kein Ordner"},
        {{L"X:\\a", L"/xyz"}, "Unbekannte Option: /xyz"},
        {{L"X:\\a", L"/vorlage"}, "braucht einen Wert"},
        {{L"X:\\a", L"/probe:ja"}, "nimmt keinen Wert"},
        {{L"X:\\a", L"/fortsetzen"}, "/bericht:DATEI"},
        {{L"X:\\a", L"/probe", L"/fortsetzen", L"/bericht:b"}, "schließen sich aus"},
        {{L"X:\\a", L"/zeitlimit:0"}, "ganze Zahl von Sekunden größer als 0"},
        {{L"X:\\a", L"--zeitlimit=10s"}, "ganze Zahl von Sekunden größer als 0"},
        {{L"X:\\a", L"/zeitlimit:1000000"}, "höchstens 999999"},
        {{L"X:\\a", L"/neustart:-1"}, "ganze Zahl von Zeichnungen ab 0"},
        {{L"X:\\a", L"/neustart:zehn"}, "ganze Zahl von Zeichnungen ab 0"},
        {{L"X:\\a", L"/neustart:1000000"}, "höchstens 999999"},
        {{L"X:\\a", L"/neustart"}, "braucht einen Wert"},
    };
    for (const auto& [args, message] : rows) {
        const auto parsed = parseBatchOptions(args);
        ASSERT_TRUE(std::holds_alternative<OptionsError>(parsed)) << message;
        EXPECT_THAT(toUtf8(std::get<OptionsError>(parsed).text), ::testing::HasSubstr(message));
    }
    EXPECT_TRUE(std::get<BatchOptions>(parseBatchOptions({L"/?"})).help);
    EXPECT_EQ(600s, std::get<BatchOptions>(parseBatchOptions({L"X:\\a"})).timeLimit);
    EXPECT_EQ(15s, std::get<BatchOptions>(parseBatchOptions({L"X:\\a", L"--zeitlimit=15"})).timeLimit);
    EXPECT_EQ(30u, std::get<BatchOptions>(parseBatchOptions({L"X:\\a"})).restartEvery);
    EXPECT_EQ(0u, std::get<BatchOptions>(parseBatchOptions({L"X:\\a", L"/neustart:0"})).restartEvery);
    EXPECT_EQ(7u, std::get<BatchOptions>(parseBatchOptions({L"X:\\a", L"--NEUSTART=007"})).restartEvery);
}

TEST(BatchProgress, TheLineShowsPositionShareAndTimeLeft) {
    struct Row {
        size_t current, total, finished, worked;
        std::chrono::milliseconds elapsed;
        const wchar_t* expected;
    };
    const std::vector<Row> rows = {
        {37, 1200, 36, 36, 36s, L"[  37/1200]   3 %  noch 19:24  Konstruktion\\Welle.dft"},
        {1, 9, 0, 0, 0ms, L"[1/9]   0 %  noch --:--  Konstruktion\\Welle.dft"},
        {9, 9, 9, 9, 90s, L"[9/9] 100 %  noch 00:00  Konstruktion\\Welle.dft"},
        {2, 1000, 1, 1, 4000s, L"[   2/1000]   0 %  noch 1110:00:00  Konstruktion\\Welle.dft"},
        // Resumed after 600 done earlier: passing over them took no time worth counting.
        {601, 1200, 600, 0, 2s, L"[ 601/1200]  50 %  noch --:--  Konstruktion\\Welle.dft"},
        {611, 1200, 610, 10, 100s, L"[ 611/1200]  50 %  noch 1:38:20  Konstruktion\\Welle.dft"},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(r.expected,
                  progressLine(r.current, r.total, r.finished, r.worked, r.elapsed, L"Konstruktion\\Welle.dft"));
    }
}

// A text with UTF-16 units as they come from Windows, also where wchar_t is wider.
std::wstring utf16(std::u16string_view units) { return std::wstring(units.begin(), units.end()); }

TEST(BatchProgress, ColumnsAreCountedAsTheConsoleShowsThem) {
    const std::vector<std::pair<std::wstring, size_t>> rows = {
        {L"Welle.dft", 9},
        {L"Gr\u00F6\u00DFe", 5},                // precomposed
        {L"Gro\u0308\u00DFe", 5},               // o and a combining diaeresis
        {L"\u56F3\u9762.dft", 8},               // two wide ideographs
        {L"\uFF21\uFF22", 4},                   // fullwidth letters
        {utf16(u"\U0001D11E.dft"), 5},           // a surrogate pair, narrow
        {utf16(u"\U00020BB7.dft"), 6},           // a surrogate pair, wide
        {L"a\u200Bb", 2},                        // zero width space
    };
    for (const auto& [text, columns] : rows) EXPECT_EQ(columns, columnsOf(text)) << toUtf8(text);
}

TEST(BatchProgress, ALongPathLosesItsMiddleAndKeepsTheFileName) {
    const std::wstring path = L"Konstruktion\\Getriebe\\Wellen\\Welle.dft";
    const std::wstring head = L"[  37/1200]   3 %  noch 19:24  ";  // 31 columns
    struct Row {
        std::wstring path;
        size_t columns;  // for the path
        std::wstring expected;
    };
    const std::vector<Row> rows = {
        {path, 38, path},
        {path, 37, L"Konstruktion\\Getriebe\\\u2026\\Welle.dft"},
        {path, 32, L"Konstruktion\\\u2026\\Welle.dft"},
        {path, 24, L"Konstruktion\\\u2026\\Welle.dft"},
        {path, 23, L"\u2026\\Welle.dft"},
        {path, 9, L"\u2026elle.dft"},
        {L"Welle.dft", 5, L"\u2026.dft"},
        {path, 0, L""},
        // The combining mark takes no column, so the first folder still fits; the wide file name takes
        // its four.
        {L"Entwu\u0308rfe\\Alt\\\u56F3\u9762.dft", 19, L"Entwu\u0308rfe\\\u2026\\\u56F3\u9762.dft"},
        // A surrogate pair is never cut in two, nor a wide character squeezed into one column.
        {utf16(u"Alt\\\U00020BB7\U00020BB7x.dft"), 8, utf16(u"\u2026\U00020BB7x.dft")},
        {utf16(u"Alt\\\U00020BB7\U00020BB7x.dft"), 7, L"\u2026x.dft"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(toUtf8(r.path) + " in " + std::to_string(r.columns) + " columns");
        EXPECT_EQ(toUtf8(r.expected), toUtf8(fitPath(r.path, r.columns)));
        EXPECT_LE(columnsOf(fitPath(r.path, r.columns)), r.columns);
        EXPECT_EQ(toUtf8(head + r.expected),
                  toUtf8(progressLine(37, 1200, 36, 36, 36s, r.path, columnsOf(head) + r.columns)));
    }
    // Without a width the path stays whole, as in a file or pipe.
    EXPECT_EQ(head + path, progressLine(37, 1200, 36, 36, 36s, path, 0));
}

TEST(BatchProgress, TheSummaryCountsEachOutcomeAndEachReason) {
    std::vector<DrawingResult> results;
    for (const auto& [outcome, why] : std::vector<std::pair<Outcome, std::wstring>>{
             {Outcome::Exchanged, L""}, {Outcome::PartlyExchanged, L""}, {Outcome::Skipped, L"schreibgeschützt"},
             {Outcome::Skipped, L"schreibgeschützt"}, {Outcome::Failed, L""}, {Outcome::Exchanged, L""}}) {
        results.emplace_back();
        results.back().outcome = outcome;
        results.back().errorText = why;
    }
    const std::wstring text = summaryText(results, 83s, false, false);
    EXPECT_EQ(L"Fertig: 6 Zeichnungen in 01:23\r\n"
              L"  getauscht:                   2\r\n"
              L"  teilweise getauscht:         1\r\n"
              L"    (die Vorlage hat kein Blatt ihrer Größe)\r\n"
              L"  übersprungen:                2\r\n"
              L"    schreibgeschützt: 2\r\n"
              L"  fehlgeschlagen:              1\r\n",
              text);
}

RunRecord sampleRun() {
    RunRecord run;
    run.folders = {L"\\\\srv\\daten\\Archiv", L"C:\\Zeichnungen; alt"};
    run.subfolders = true;
    run.listFile = L"\\\\srv\\daten\\liste.txt";
    run.templatePath = L"\\\\srv\\daten\\Admin\\Vorlagen\\SeV12\\normal.dft";
    run.backupFolder = L"\\\\srv\\daten\\Sicherung";
    run.templateOpenedByBatch = true;
    run.activeDocument = L"\\\\srv\\daten\\offen.dft";
    return run;
}

TEST(BatchReport, ExcelGetsBomSemicolonsAndQuotedFieldsAndReadsThemBack) {
    DrawingResult tricky;
    tricky.path = L"\\\\srv\\daten\\Größe; \"A\".dft";
    tricky.outcome = Outcome::Failed;
    tricky.errorNumber = -2147023170;
    tricky.errorText = L"Zeile 1\r\nZeile 2";
    tricky.seconds = 1.25;
    const RunRecord run = sampleRun();
    const std::string text = reportText(run, {tricky});
    EXPECT_EQ("\xEF\xBB\xBFkorvane-stapel-Bericht;1\r\n", text.substr(0, 29));
    EXPECT_THAT(text, ::testing::HasSubstr("\r\nPfad;Ergebnis;"));
    EXPECT_THAT(text, ::testing::HasSubstr("\"\\\\srv\\daten\\Größe; \"\"A\"\".dft\";fehlgeschlagen;;;0;-2147023170;"
                                           "\"Zeile 1\r\nZeile 2\";;1,2"));
    const auto back = readReport(text);
    ASSERT_TRUE(back.has_value());
    ASSERT_EQ(1u, back->rows.size());
    EXPECT_EQ(tricky.path, back->rows[0].path);
    EXPECT_EQ(tricky.errorNumber, back->rows[0].errorNumber);
    EXPECT_EQ(tricky.errorText, back->rows[0].errorText);
    EXPECT_EQ(run.folders, back->run.folders);
    EXPECT_EQ(run.subfolders, back->run.subfolders);
    EXPECT_EQ(run.listFile, back->run.listFile);
    EXPECT_EQ(run.templatePath, back->run.templatePath);
    EXPECT_EQ(run.backupFolder, back->run.backupFolder);
    EXPECT_EQ(run.templateOpenedByBatch, back->run.templateOpenedByBatch);
    EXPECT_EQ(run.activeDocument, back->run.activeDocument);
}

TEST(BatchReport, TheLastRowOfAPathCountsAndDamagedLinesArePassedOver) {
    DrawingResult first, later, other;
    first.path = later.path = L"Y:\\a.dft";
    first.outcome = Outcome::InProgress;
    later.outcome = Outcome::Exchanged;
    other.path = L"Y:\\b.dft";
    other.outcome = Outcome::Skipped;
    const std::string text = reportHead(sampleRun()) + reportRow(first) + reportRow(other) + "kaputt;;\r\n" + reportRow(later);
    const auto read = readReport(text);
    ASSERT_TRUE(read.has_value());
    ASSERT_EQ(2u, read->rows.size());
    EXPECT_EQ(Outcome::Exchanged, read->rows[0].outcome);
    EXPECT_EQ(L"Y:\\b.dft", read->rows[1].path);
}

// A file that only looks like a table is never taken for a report: /fortsetzen must leave it alone.
TEST(BatchReport, OnlyAReportOfTheBatchIsReadAsOne) {
    const std::string head = reportHead(sampleRun());
    const std::vector<std::pair<const char*, std::string>> rows = {
        {"empty", ""},
        {"random bytes", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16)},
        {"parts list", "Pos;Menge;Benennung\r\n1;2;Welle\r\n"},
        {"report of the earlier version", "\xEF\xBB\xBFPfad;Ergebnis;Blätter getauscht;Blätter ohne Partner;"
                                          "Eigenschaften angelegt;Fehlernummer;Fehlertext;Sicherung;Dauer (s)\r\n"},
        {"first line only", "\xEF\xBB\xBFkorvane-stapel-Bericht;1\r\n"},
        {"another version", "\xEF\xBB\xBFkorvane-stapel-Bericht;2\r\n" + head.substr(head.find("Ordner"))},
        {"unknown record line", head.substr(0, head.find("Pfad;")) + "Farbe;rot\r\n" + head.substr(head.find("Pfad;"))},
    };
    for (const auto& [name, text] : rows) EXPECT_FALSE(readReport(text).has_value()) << name;
    EXPECT_TRUE(readReport(head).has_value());
}

// A kill while a row is appended leaves part of it: at every length the report reads as before the row
// or, once the row is whole, after it; never with a broken row.
TEST(BatchReport, AHalfWrittenLastRowIsNoRow) {
    DrawingResult done, cut;
    done.path = L"Y:\\a.dft";
    done.outcome = Outcome::Exchanged;
    cut.path = L"Y:\\Größe; \"b\".dft";
    cut.outcome = Outcome::InProgress;
    cut.errorText = L"zwei\r\nZeilen";
    cut.backup = L"Y:\\Sicherung\\Y\\b.dft";
    const std::string before = reportHead(sampleRun()) + reportRow(done);
    const std::string row = reportRow(cut);
    for (size_t length = 0; length <= row.size(); ++length) {
        const auto read = readReport(before + row.substr(0, length));
        ASSERT_TRUE(read.has_value()) << "length " << length;
        const size_t expected = length == row.size() ? 2 : 1;
        ASSERT_EQ(expected, read->rows.size()) << "length " << length;
        if (expected == 2) {
            EXPECT_EQ(cut.backup, read->rows[1].backup);
        }
    }
}

}  // namespace
}  // namespace korvane
