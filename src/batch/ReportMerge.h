#pragma once
// /zusammenfassen: one report for the whole archive from the reports of its parts, as one run over the
// same work would have written it: the same record and columns, one row per drawing in the work list's
// order, each drawing's row from the report of the part it belongs to (its last row there: a resumed
// part's final state). A drawing no part has finished gets a row "fehlt" naming its part. Reports that
// do not belong together (another template, other folders, list or subfolder choice, another number
// of parts, one part twice, a file that is no report) and a target that exists are refused before
// anything is written.
#include <cstdint>

#include "batch/BatchOptions.h"
#include "batch/BatchRun.h"

namespace korvane {

// Exit 0 when every drawing of the work has its row, 1 when some are missing, 2 when refused.
int32_t mergeReports(const BatchOptions& options, BatchEnvironment& environment);

}  // namespace korvane
