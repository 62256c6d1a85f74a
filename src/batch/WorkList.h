#pragma once
// Planning the work: the drawings of the folders (with their subfolders, when asked) and of the list
// file, each once, in a fixed order: the folders' drawings by folder, files before subfolders, then the
// list's in its order. Entries of the list that are no drawing file are rows of the report at once.
#include <string>
#include <vector>

#include "batch/BatchFiles.h"
#include "batch/BatchOptions.h"
#include "batch/DrawingResult.h"
#include "files/clsFileString.h"

namespace korvane {

struct WorkItem {
    std::wstring path;      // full path
    std::wstring relative;  // below its folder (list entries: below their drive or share), for display and backup
};

struct WorkPlan {
    std::vector<WorkItem> items;
    std::vector<DrawingResult> rejected;  // list entries that are missing or no .dft file
};

// Raises AutomationError (76, path not found) for a folder or list file that does not exist; a folder
// named in `excluded` (the backup folder) is never entered.
WorkPlan planWork(const BatchOptions& options, clsFileString& files, BatchFiles& contents,
                  const std::wstring& excluded);

// The path below its drive or share: "Y:\a\b.dft" -> "Y\a\b.dft", "\\srv\share\a.dft" -> "srv\share\a.dft".
std::wstring pathBelowRoot(const std::wstring& path);

// A path joined to a folder with exactly one backslash between.
std::wstring joinPath(const std::wstring& folder, const std::wstring& name);

}  // namespace korvane
