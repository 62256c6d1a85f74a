#pragma once
// One drawing of the batch, start to end: the checks that leave it untouched (open in the CAD
// application, read-only, locked by another program, no drawing), the backup, then open, title-block
// properties, background sheet exchange, save and close. Whatever fails after the backup, the drawing
// is closed without saving and, if its file changed all the same, restored from the backup: it is
// never left half-saved.
#include <functional>
#include <string>

#include "batch/BatchFiles.h"
#include "batch/CadConnection.h"
#include "batch/DrawingResult.h"
#include "batch/WorkList.h"
#include "files/clsFileString.h"

namespace korvane {

class DrawingJob {
public:
    struct Settings {
        std::wstring backupFolder;   // empty in a dry run
        bool probe = false;
        std::function<bool()> stopRequested = [] { return false; };
        // Called with the drawing's "in Arbeit" row once its backup is made, before the CAD application
        // opens it: a run that is killed from here on leaves that row as the last word on the drawing.
        std::function<void(const DrawingResult&)> started = [](const DrawingResult&) {};
    };

    DrawingJob(CadConnection& cad, clsFileString& files, BatchFiles& contents, Settings settings);

    DrawingResult run(const WorkItem& item);

    // Puts the backup's bytes back when the drawing's differ; the text says what went wrong ("" when fine).
    std::wstring restoreIfChanged(const std::wstring& path, const std::wstring& backup);

private:
    // Why the drawing must stay untouched, before the CAD application is asked; "" when it may be worked on.
    std::wstring reasonToLeaveAlone(const std::wstring& path, const std::wstring& uncName);
    void makeBackup(const WorkItem& item, DrawingResult& result);
    void work(const std::wstring& uncName, DrawingResult& result);

    CadConnection& cad_;
    clsFileString& files_;
    BatchFiles& contents_;
    Settings settings_;
};

}  // namespace korvane
