#pragma once
// The file facts and file contents the batch needs beyond the file-system port of clsFileString:
// whether another program or the file's attributes forbid changing a drawing, the bytes of a file
// (list file, report to resume from, comparing a drawing with its backup), writing the report and holding
// the lock beside it.
// Windows: win32/Win32BatchFiles. Development and tests: posix/PosixBatchFiles.
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "batch/HeldFile.h"

namespace korvane {

class BatchFiles {
public:
    virtual ~BatchFiles() = default;
    // The read-only attribute is set.
    virtual bool isReadOnly(const std::wstring& path) = 0;
    // Another program holds the file open so that it may not be written now.
    virtual bool isLocked(const std::wstring& path) = 0;
    // The file's bytes; nothing when it does not exist or cannot be read.
    virtual std::optional<std::string> readBytes(const std::wstring& path) = 0;
    // Replaces the file's content (creating it); raises AutomationError when it cannot be written.
    virtual void writeBytes(const std::wstring& path, std::string_view bytes) = 0;
    // Appends to the file (creating it); raises AutomationError when it cannot be written.
    virtual void appendBytes(const std::wstring& path, std::string_view bytes) = 0;
    // Creates the file with these bytes; raises AutomationError (58) when it exists already, so that
    // nothing of somebody else's is ever written over.
    virtual void createBytes(const std::wstring& path, std::string_view bytes) = 0;
    // Replaces the file's content as one step: the bytes go to "<path>.korvane-tmp" first, which then
    // takes the file's place, so that a kill at any moment leaves the old content or the new one,
    // never part of either. Raises AutomationError when it cannot be done (the file is unchanged then).
    virtual void replaceBytes(const std::wstring& path, std::string_view bytes) = 0;
    // Creates the file and holds it (HeldFile) for as long as the returned object lives; nothing when
    // another process holds it already. Raises AutomationError (58) when the file exists and nobody
    // holds it (it is left alone), and others when it cannot be made.
    virtual std::unique_ptr<HeldFile> hold(const std::wstring& path) = 0;
};

}  // namespace korvane
