#pragma once
// What a report records of the run that wrote it, above its rows: the work (folders, list, template,
// backup folder, all as canonical paths, and the part of it) that a resumed run must match, and what the run changed in
// the CAD application that a resumed run must put back (the template it opened, the document that was
// active before, the alerts setting it found).
#include <optional>
#include <string>
#include <vector>

#include "batch/WorkPart.h"
#include "files/PathIdentity.h"

namespace korvane {

struct RunRecord {
    std::vector<std::wstring> folders;
    bool subfolders = false;
    std::wstring listFile;
    std::wstring templatePath;
    bool probe = false;
    std::wstring backupFolder;             // empty in a dry run
    bool templateOpenedByBatch = false;    // the run opened the template, so it closes it
    std::wstring activeDocument;           // full name of the user's active document before the run
    std::optional<bool> alerts;            // the application's alerts setting before the run; unknown in
                                           // reports of versions that did not switch it off
    WorkPart part;                         // the part of the work the run took; 1/1: all of it
};

// What makes the work of `now` other than the work of `before`, in the words of a refusal: "andere Ordner"
// (in any order and spelling), "mit /s" or "ohne /s" (the choice of `now`), "eine andere Liste", "eine
// andere Vorlage"; empty when it is the same work.
std::wstring otherWork(const RunRecord& before, const RunRecord& now, PathIdentity& identity);

}  // namespace korvane
