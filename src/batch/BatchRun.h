#pragma once
// The batch program's procedure: check the template and the CAD application, plan the work, take
// every drawing through DrawingJob with a progress line, keep the report up to date after each
// drawing, and end with the summary. Ctrl+C (stopRequested) ends it after the current drawing.
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <string>

#include "batch/BatchConsole.h"
#include "batch/BatchFiles.h"
#include "batch/BatchOptions.h"
#include "batch/BatchTrace.h"
#include "batch/ExitCodes.h"
#include "processes/PlatformServices.h"

namespace korvane {

struct BatchEnvironment {
    BatchConsole& console;
    BatchFiles& contents;
    // The file system, process table and automation runtime the whole run works with.
    PlatformServices services;
    std::function<bool()> stopRequested = [] { return false; };
    // Names the run's default report and backup folder ("2026-12-06 14-03-22").
    std::wstring runStamp;
    // Called after each drawing the run worked on, with how many it has worked on so far (measurements).
    std::function<void(size_t)> afterDrawing = [](size_t) {};
    // Where each drawing's time goes (scripts/bench); none in a plain run.
    BatchTrace* trace = nullptr;
    // Ends this process at once with the exit code, running no destructors: called when the user's
    // Solid Edge stopped answering, while the batch's thread is blocked in a call that cannot be
    // cancelled. Windows: TerminateProcess of the own process.
    std::function<void(int32_t)> endProcess = [](int32_t code) { std::_Exit(code); };
    // Claims the CAD application for this run for as long as the process lives: false while another
    // batch works with it (its active document and clipboard are that batch's meanwhile). Windows: a
    // named mutex of the session.
    std::function<bool()> claimCadApplication = [] { return true; };
};

// A run, or with /zusammenfassen the merge of the parts' reports.
int32_t runBatch(const BatchOptions& options, BatchEnvironment& environment);

// The report's name when /bericht is not given: "korvane-stapel <stamp>.csv", with the part in it for
// Teil K von N, so that the parts' reports can lie side by side on the share.
std::wstring defaultReportName(const WorkPart& part, const std::wstring& runStamp);

// The lock beside a report, held while a run writes it.
std::wstring reportLockOf(const std::wstring& reportFile);

// The template file a choice stands for: the two names of korvane.exe's template folder, else the
// text itself as a file name.
std::wstring templateFileOf(const std::wstring& choice);

}  // namespace korvane
