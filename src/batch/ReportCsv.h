#pragma once
// The report as German Excel opens it directly: UTF-8 with byte-order mark, semicolons, CR LF,
// fields with a semicolon, a quote or a line break in double quotes (quotes doubled), decimal comma.
// During the run rows are appended one by one (a drawing may get an "in Arbeit" row and later its
// result); reading takes the last row of each path, and the end of the run writes one row each.
#include <string>
#include <vector>

#include "batch/DrawingResult.h"

namespace korvane {

// The byte-order mark and the header line.
std::string reportHeader();
// One row, CR LF at its end.
std::string reportRow(const DrawingResult& result);
// Header and rows.
std::string reportText(const std::vector<DrawingResult>& results);
// The rows of a report text, the last one of each path only, in the order of their first appearance.
// Lines that are no rows (the header, damaged lines) are passed over.
std::vector<DrawingResult> readReport(const std::string& bytes);

}  // namespace korvane
