#pragma once
// The report as German Excel opens it directly: UTF-8 with byte-order mark, semicolons, CR LF,
// fields with a semicolon, a quote or a line break in double quotes (quotes doubled), decimal comma.
// It opens with the line "korvane-stapel-Bericht;1" and the run's record, one "name;value" line each,
// then the column header and the rows. During the run rows are appended one by one (a drawing may get
// an "in Arbeit" row and later its result); reading takes the last row of each path, and the end of
// the run writes one row each.
#include <optional>
#include <string>
#include <vector>

#include "batch/DrawingResult.h"
#include "batch/RunRecord.h"

namespace korvane {

struct Report {
    RunRecord run;
    std::vector<DrawingResult> rows;
};

// The byte-order mark, the first line, the run's record and the column header.
std::string reportHead(const RunRecord& run);
// One row, CR LF at its end.
std::string reportRow(const DrawingResult& result);
// Head and rows.
std::string reportText(const RunRecord& run, const std::vector<DrawingResult>& results);
// A report of this program: its record and its rows, the last one of each path only (compared
// without regard to case), in the order of their first appearance. Lines that are no rows (damaged
// lines, a last line that a killed run did not finish) are passed over. Nothing when the text is no
// such report.
std::optional<Report> readReport(const std::string& bytes);

}  // namespace korvane
