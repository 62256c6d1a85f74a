#include "BatchTraceFile.h"

#include <windows.h>

#include "automation/AutomationError.h"
#include "batch/win32/Win32BatchFiles.h"

namespace korvane {

BatchTraceFile::BatchTraceFile() {
    wchar_t file[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableW(L"KORVANE_BATCH_TRACE", file, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return;
    const std::wstring path = file;
    timing_.emplace();
    trace_.emplace([this] { return BatchTrace::CadCalls{timing_->calls(), timing_->inside()}; },
                   [path](const std::string& line) {
                       // A measurement never stops the work: a line that cannot be written is lost.
                       try {
                           Win32BatchFiles().appendBytes(path, line + "\r\n");
                       } catch (const AutomationError&) {
                       }
                   });
}

}  // namespace korvane
