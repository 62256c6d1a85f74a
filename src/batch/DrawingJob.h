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
#include "batch/Stopwatch.h"
#include "batch/WorkList.h"
#include "files/clsFileString.h"

namespace korvane {

class DrawingJob {
public:
    struct Settings {
        bool probe = false;
        std::function<bool()> stopRequested = [] { return false; };
        // Called with the drawing's "in Arbeit" row once its backup is made, before the CAD application
        // opens it: a run that is killed from here on leaves that row as the last word on the drawing.
        std::function<void(const DrawingResult&)> started = [](const DrawingResult&) {};
        // Takes the time of the backup I/O (copy, comparisons, putting back) when the run is traced.
        Stopwatch* backupIo = nullptr;
    };

    DrawingJob(CadConnection& cad, clsFileString& files, BatchFiles& contents, Settings settings);

    // `backup` is where the drawing's backup goes (empty in a dry run).
    DrawingResult run(const WorkItem& item, const std::wstring& backup);

    // Makes the row a failure that claims nothing done, with the drawing put back from its backup (if it
    // has one) and the error text saying how.
    void undo(DrawingResult& result);

    // Puts the backup's bytes back when the drawing's differ, in one step; a drawing that is gone (deleted
    // or renamed since its backup) is not made again. The text says what happened ("" when the drawing
    // was as its backup).
    std::wstring restoreIfChanged(const std::wstring& path, const std::wstring& backup);

private:
    // Why the drawing must stay untouched, before the CAD application is asked; "" when it may be worked on.
    std::wstring reasonToLeaveAlone(const WorkItem& item);
    void makeBackup(const WorkItem& item, const std::wstring& backup, DrawingResult& result);
    void work(const std::wstring& uncName, DrawingResult& result);

    CadConnection& cad_;
    clsFileString& files_;
    BatchFiles& contents_;
    Settings settings_;
};

// The texts restoreIfChanged answers with.
inline constexpr wchar_t kRestored[] = L"aus der Sicherung wiederhergestellt";
inline constexpr wchar_t kVanished[] =
    L"Zeichnung nach der Sicherung gelöscht oder umbenannt: nicht wiederhergestellt, die Sicherung bleibt";

}  // namespace korvane
