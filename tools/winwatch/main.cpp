// winwatch: starts a Windows program and watches it like a stopwatch beside the user.
//
//   winwatch.exe [--answer | --decline] [--shots FOLDER] [--timeout SECONDS] [--report FILE] -- PROGRAM [ARGS...]
//
// Notes the time from the start to the first visible window, the run time to the exit, the peak
// working set, and every window the program showed. --shots asks for a screenshot of each window as it
// shows (ScreenshotRequest). --answer answers each window like a user who leaves the choice as it is
// ("Weiter" in a dialog, OK in a box); --decline does the same but presses Cancel in a box that has
// it (a run that stops at the confirmation, for start-up measurements); without either the user at the
// screen answers. The report also gives the start and the first window on the system clock
// ("start-filetime", "first-window-filetime", 100 ns units), so that times the program notes itself can
// be set beside them, and the processor time the program had used when its first window was seen
// ("first-window-cpu-us"), which a busy machine disturbs far less than the wall time.
// The report is UTF-8, one "key value" line each. Exit code: 0 when the program ended within the time
// limit, 1 when it had to be ended, 2 for a usage error.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "CommandLine.h"
#include "ScreenshotRequest.h"
#include "TopLevelWindows.h"
#include "WatchedProcess.h"

#include "automation/TextConvert.h"

namespace {

using Clock = std::chrono::steady_clock;

std::string utf8(const std::wstring& w) { return korvane::toUtf8(w); }

long long millisecondsSince(Clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

// The system time in 100 ns units, the clock other processes can note too.
unsigned long long fileTimeNow() {
    FILETIME now;
    ::GetSystemTimePreciseAsFileTime(&now);
    return (static_cast<unsigned long long>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
}

struct Options {
    bool answer = false;
    bool decline = false;
    std::wstring shots;
    std::wstring report;
    int timeoutSeconds = 120;
    std::wstring commandLine;
};

void writeReport(const std::vector<std::string>& lines, const std::wstring& path) {
    std::string text;
    for (const auto& l : lines) text += l + "\n";
    if (path.empty()) {
        std::fwrite(text.data(), 1, text.size(), stdout);
    } else {
        std::ofstream(std::filesystem::path(path), std::ios::binary) << text;
    }
}

bool parse(int argc, wchar_t** argv, Options& o) {
    for (int i = 1; i < argc; ++i) {
        const std::wstring a = argv[i];
        if (a == L"--answer") o.answer = true;
        else if (a == L"--decline") o.answer = o.decline = true;
        else if (a == L"--shots" && i + 1 < argc) o.shots = argv[++i];
        else if (a == L"--report" && i + 1 < argc) o.report = argv[++i];
        else if (a == L"--timeout" && i + 1 < argc) o.timeoutSeconds = _wtoi(argv[++i]);
        else if (a == L"--") {
            o.commandLine = harness::commandLineOf(argv + i + 1, argv + argc);
            break;
        } else {
            return false;
        }
    }
    return !o.commandLine.empty() && o.timeoutSeconds > 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    Options options;
    if (!parse(argc, argv, options)) {
        std::fwprintf(stderr, L"usage: winwatch [--answer|--decline] [--shots DIR] [--timeout S] [--report FILE] -- PROGRAM\n");
        return 2;
    }
    const harness::ScreenshotRequest screenshots(options.shots);
    std::vector<std::string> lines;
    lines.push_back("program " + utf8(options.commandLine));

    harness::WatchedProcess program;
    const auto start = Clock::now();
    lines.push_back("start-filetime " + std::to_string(fileTimeNow()));
    if (!program.start(options.commandLine)) {
        lines.push_back("error cannot start (" + std::to_string(::GetLastError()) + ")");
    } else {
        const auto deadline = start + std::chrono::seconds(options.timeoutSeconds);
        long long firstWindow = -1;
        std::set<HWND> visible;  // windows shown right now: one that shows again counts again
        int shown = 0;
        bool ended = false;
        while (!ended && Clock::now() < deadline) {
            program.sampleMemory();
            const auto windows = winwatch::TopLevelWindows::of(program.id());
            std::set<HWND> now;
            for (const auto& w : windows) {
                now.insert(w.hwnd);
                if (visible.count(w.hwnd)) continue;
                if (firstWindow < 0) {
                    firstWindow = millisecondsSince(start);
                    lines.push_back("first-window-filetime " + std::to_string(fileTimeNow()));
                    lines.push_back("first-window-cpu-us " + std::to_string(program.cpuMicroseconds()));
                }
                ++shown;
                const std::string kind = w.isBox ? "box" : "dialog";
                lines.push_back("window " + std::to_string(shown) + " " + kind + " " + utf8(w.title) + " at-ms " +
                                std::to_string(millisecondsSince(start)));
                if (screenshots.wanted()) {
                    // Let the window paint itself before the picture is taken.
                    std::this_thread::sleep_for(std::chrono::milliseconds(150));
                    const std::wstring name = std::to_wstring(shown) + (w.isBox ? L"-box" : L"-dialog");
                    if (!screenshots.take(name, 15000)) lines.push_back("screenshot " + utf8(name) + " not taken");
                }
                if (options.answer && !winwatch::TopLevelWindows::acceptLikeUser(w, options.decline)) {
                    lines.push_back("window " + std::to_string(shown) + " has neither Weiter nor OK");
                }
            }
            visible = std::move(now);
            ended = program.waitEnd(5);
        }
        const long long wall = millisecondsSince(start);
        program.sampleMemory();
        if (!ended) {
            lines.push_back("timeout ended by winwatch after " + std::to_string(options.timeoutSeconds) + " s");
            program.terminate(99);
            program.waitEnd(5000);
        }
        lines.push_back("first-window-ms " + std::to_string(firstWindow));
        lines.push_back("wall-ms " + std::to_string(wall));
        lines.push_back("peak-working-set-kib " + std::to_string(program.peakWorkingSet() / 1024));
        lines.push_back("windows " + std::to_string(shown));
        lines.push_back("exit-code " + std::to_string(program.exitCode()));
        writeReport(lines, options.report);
        return ended ? 0 : 1;
    }
    writeReport(lines, options.report);
    return 1;
}
