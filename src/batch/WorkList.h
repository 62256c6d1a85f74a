#pragma once
// Planning the work: the drawings of the folders (with their subfolders, when asked) and of the list
// file, each once, in a fixed order: the folders' drawings by folder, files before subfolders, then the
// list's in its order. A drawing is known by its canonical name and, where the file system tells, its
// own identity, so that every spelling that reaches it again (another folder argument, UNC or drive
// letter, ".." and ".", letter case, quotes) counts as a repeat, never as a second drawing. Nothing in a
// backup folder of this program and nothing that is the run's own report is ever work. Entries of the
// list that name no drawing are rows of the report at once.
#include <string>
#include <vector>

#include "batch/BackupFolder.h"
#include "batch/BatchFiles.h"
#include "batch/BatchOptions.h"
#include "batch/DrawingResult.h"
#include "batch/WorkPart.h"
#include "files/PathIdentity.h"
#include "files/clsFileString.h"

namespace korvane {

struct WorkItem {
    std::wstring path;      // canonical full path
    std::wstring key;       // the path case folded
    std::wstring relative;  // below its folder (list entries: below their drive or share), for display
};

struct WorkPlan {
    std::vector<std::wstring> folders;  // the folder arguments, canonical
    std::wstring listFile;              // canonical
    std::vector<WorkItem> items;
    std::vector<DrawingResult> rejected;  // list entries that name no drawing to work on, with the reason
    size_t repeats = 0;                   // spellings of a drawing (or entry) named before: "doppelt genannt"
};

// What the walk and the list pass over besides marked backup folders: the run's own backup folder and
// report (keys).
struct Excluded {
    std::wstring backupFolderKey;
    std::wstring reportKey;
};

// Raises AutomationError (76, path not found) for a folder or list file that does not exist, and
// (75, path/file access error) for a folder argument that lies in a backup folder.
WorkPlan planWork(const BatchOptions& options, clsFileString& files, BatchFiles& contents, PathIdentity& identity,
                  const Excluded& excluded);

// The key of a report row's path: its identity key, or for an entry that names no path (a row "kein
// gültiger Pfad") the text itself case folded, as the plan keys it.
std::wstring rowKey(PathIdentity& identity, const std::wstring& path);

// Keeps only the drawings and rejected entries of the part (by their keys), in their order.
void keepPart(WorkPlan& plan, const WorkPart& part, PathIdentity& identity);

// The text of a list file: UTF-16 with its byte-order mark (Notepad's "Unicode", either byte order),
// otherwise UTF-8 (with or without its byte-order mark).
std::wstring decodeListText(const std::string& bytes);

}  // namespace korvane
