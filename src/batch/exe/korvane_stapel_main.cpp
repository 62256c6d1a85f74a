// korvane-stapel.exe: the batch program's Windows entry point. Installs the Windows services behind
// the portable core, takes Ctrl+C and the closing of the console as a request to stop after the
// current drawing, ends the process outright when the user's Solid Edge stops answering, and runs
// the batch.
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "automation/AutomationError.h"
#include "automation/UniqueResource.h"
#include "automation/win32/Apartment.h"
#include "automation/win32/RetryMessageFilter.h"
#include "batch/BatchRun.h"
#include "batch/win32/ConsoleStop.h"
#include "batch/win32/SessionMutex.h"
#include "batch/win32/Win32BatchFiles.h"
#include "batch/win32/Win32Console.h"
#include "processes/PlatformServices.h"
#include "BatchTraceFile.h"

namespace {

std::vector<std::wstring> arguments() {
    std::vector<std::wstring> out;
    int count = 0;
    const korvane::UniqueResource<LPWSTR*, &::LocalFree> list(CommandLineToArgvW(GetCommandLineW(), &count));
    if (!list) return out;
    for (int i = 1; i < count; ++i) out.emplace_back(list.get()[i]);
    return out;
}

std::wstring fullPath(const std::wstring& path) {
    if (path.empty()) return path;
    const DWORD size = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (size == 0) return path;
    std::wstring full(size, L'\0');
    const DWORD length = GetFullPathNameW(path.c_str(), size, full.data(), nullptr);
    if (length == 0 || length >= size) return path;
    full.resize(length);
    return full;
}

// KORVANE_STAPEL_MESSUNG=FILE: after each drawing a line "<drawings>;<milliseconds since start>;<peak
// working set in KiB>" is appended to FILE, for the performance report (scripts/bench).
std::function<void(size_t)> measurement() {
    wchar_t file[MAX_PATH] = {};
    if (GetEnvironmentVariableW(L"KORVANE_STAPEL_MESSUNG", file, MAX_PATH) == 0) return [](size_t) {};
    const std::wstring path = file;
    const ULONGLONG start = GetTickCount64();
    return [path, start](size_t drawings) {
        PROCESS_MEMORY_COUNTERS counters{};
        counters.cb = sizeof counters;
        GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
        char line[96];
        std::snprintf(line, sizeof line, "%zu;%llu;%zu\r\n", drawings, GetTickCount64() - start,
                      static_cast<size_t>(counters.PeakWorkingSetSize / 1024));
        korvane::Win32BatchFiles().appendBytes(path, line);
    };
}

std::wstring runStamp() {
    SYSTEMTIME t{};
    GetLocalTime(&t);
    wchar_t text[32];
    swprintf(text, 32, L"%04u-%02u-%02u %02u-%02u-%02u", t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond);
    return text;
}

}  // namespace

int wmain() {
    using namespace korvane;
    // Run from a network folder like korvane.exe: a DLL that someone puts beside the program is never
    // loaded; whatever is loaded later comes from the system folder.
    ::SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    Win32Console console;
    const auto parsed = parseBatchOptions(arguments());
    if (const auto* error = std::get_if<OptionsError>(&parsed)) {
        console.line(error->text);
        console.line(L"Hilfe: korvane-stapel /?");
        return batchexit::CouldNotStart;
    }
    BatchOptions options = std::get<BatchOptions>(parsed);
    if (options.help) {
        console.line(batchUsage());
        return batchexit::AllDone;
    }
    // Relative names are taken from the current folder now, so that the report shows full paths.
    for (auto& folder : options.folders) folder = fullPath(folder);
    options.listFile = fullPath(options.listFile);
    const std::wstring stamp = runStamp();
    if (options.reportFile.empty() && options.mergeTarget.empty()) options.reportFile = defaultReportName(options.part, stamp);
    options.reportFile = fullPath(options.reportFile);
    options.mergeTarget = fullPath(options.mergeTarget);
    options.backupFolder = fullPath(options.backupFolder);

    ConsoleStop stop;
    // Two batches in one session would share its one Solid Edge: its active document and clipboard.
    SessionMutex oneAtATime(L"Local\\korvane-stapel Solid Edge");
    int32_t exitCode = batchexit::CouldNotStart;
    try {
        com::Apartment apartment;
        com::RetryMessageFilter retry;
        Win32BatchFiles contents;
        BatchEnvironment environment{console, contents, defaultPlatformServices(),
                                     [&stop] { return stop.requested(); }, stamp, measurement()};
        // The user's Solid Edge stopped answering and the main thread waits in a call that cannot be
        // cancelled: nothing can be unwound safely. The console is written unbuffered and the report
        // row by row, so what they say is on its way already.
        environment.endProcess = [](int32_t code) { TerminateProcess(GetCurrentProcess(), static_cast<UINT>(code)); };
        environment.claimCadApplication = [&oneAtATime] { return oneAtATime.claim(); };
        BatchTraceFile traceFile;
        environment.trace = traceFile.trace();
        exitCode = runBatch(options, environment);
    } catch (const AutomationError& e) {
        console.line(L"Fehler " + std::to_wstring(e.number()) + L": " + e.description());
    }
    stop.batchEnded();
    return exitCode;
}
