// uidriver: starts a Windows program, watches its message boxes and dialogs, acts on them from a script
// and writes a transcript of what it saw and did, closed by the program's exit code.
//
//   uidriver.exe --script FILE --transcript FILE [--shots FOLDER] [--timeout SECONDS] -- PROGRAM [ARGS...]
//
// Screenshots: for "shot NAME" the driver creates FOLDER\NAME.request and waits (at most 15 s) for
// FOLDER\NAME.done, which the watching shell script creates after it has taken the picture.
// Exit code: 0 when every scripted action was carried out, no unscripted window showed, no crash reporter
// ran (CrashWatch.h) and the program ended in time; 1 otherwise; 2 for a usage error.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "CommandLine.h"
#include "CrashWatch.h"
#include "ScreenshotRequest.h"
#include "Script.h"
#include "WatchedProcess.h"
#include "Window.h"
#include "automation/TextConvert.h"

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

std::string utf8(const std::wstring& w) { return korvane::toUtf8(w); }

std::wstring wide(const std::string& s) { return korvane::fromUtf8(s); }

class Transcript {
public:
    explicit Transcript(const std::wstring& path) : out_(std::filesystem::path(path), std::ios::binary) {}
    bool ok() const { return out_.good(); }
    void line(const std::wstring& text) {
        out_ << utf8(text) << '\n';
        out_.flush();
    }

private:
    std::ofstream out_;
};

// The window stays until its modal loop has ended and it is hidden or destroyed.
bool waitGone(HWND h, const harness::WatchedProcess& p, std::chrono::milliseconds bound) {
    const auto until = Clock::now() + bound;
    while (Clock::now() < until) {
        if (!::IsWindow(h) || !::IsWindowVisible(h) || p.ended()) return true;
        std::this_thread::sleep_for(10ms);
    }
    return false;
}

// Waits until the control of that caption has the keyboard focus and two looks 50 ms apart see the same
// window (a key that moves the focus may change the selection right after), then writes the window.
bool awaitFocus(uidriver::WindowView& view, const std::wstring& caption, Transcript& t) {
    const auto until = Clock::now() + std::chrono::seconds(5);
    std::wstring last;
    for (;;) {
        view = uidriver::inspect(view.hwnd);
        const uidriver::Control* focus = uidriver::focusedControl(view);
        const bool there = focus && focus == view.find(caption);
        const std::wstring seen =
            view.describe() + L" | focus \"" + (there ? caption : focus ? focus->caption : std::wstring()) + L"\"";
        if (there && seen == last) {
            t.line(seen);
            return true;
        }
        if (Clock::now() >= until) {
            t.line(L"! focus not on \"" + caption + L"\" within 5 s: " + seen);
            return false;
        }
        last = there ? seen : std::wstring();
        std::this_thread::sleep_for(50ms);
    }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    std::wstring scriptPath, transcriptPath, shotsFolder, commandLine;
    int timeoutSeconds = 60;
    for (int i = 1; i < argc; ++i) {
        const std::wstring a = argv[i];
        if (a == L"--script" && i + 1 < argc) scriptPath = argv[++i];
        else if (a == L"--transcript" && i + 1 < argc) transcriptPath = argv[++i];
        else if (a == L"--shots" && i + 1 < argc) shotsFolder = argv[++i];
        else if (a == L"--timeout" && i + 1 < argc) timeoutSeconds = _wtoi(argv[++i]);
        else if (a == L"--") {
            commandLine = harness::commandLineOf(argv + i + 1, argv + argc);
            break;
        } else {
            std::fwprintf(stderr, L"uidriver: unknown argument %ls\n", a.c_str());
            return 2;
        }
    }
    if (scriptPath.empty() || transcriptPath.empty() || commandLine.empty()) {
        std::fwprintf(stderr, L"usage: uidriver --script FILE --transcript FILE [--shots DIR] [--timeout S] -- PROGRAM\n");
        return 2;
    }
    std::ifstream scriptFile(std::filesystem::path(scriptPath), std::ios::binary);
    std::stringstream scriptText;
    scriptText << scriptFile.rdbuf();
    std::wstring error;
    const auto script = uidriver::parseScript(wide(scriptText.str()), error);
    if (!scriptFile || !script) {
        std::fwprintf(stderr, L"uidriver: %ls: %ls\n", scriptPath.c_str(), scriptFile ? error.c_str() : L"cannot read");
        return 2;
    }
    Transcript t(transcriptPath);
    if (!t.ok()) {
        std::fwprintf(stderr, L"uidriver: cannot write %ls\n", transcriptPath.c_str());
        return 2;
    }

    harness::WatchedProcess program;
    const harness::ScreenshotRequest screenshots(shotsFolder);
    if (!program.start(commandLine)) {
        t.line(L"! cannot start " + commandLine + L" (error " + std::to_wstring(::GetLastError()) + L")");
        return 1;
    }
    const auto deadline = Clock::now() + std::chrono::seconds(timeoutSeconds);
    bool faultless = true;
    size_t next = 0;
    auto nextCrashCheck = Clock::now();
    // A crash dialog ends the watch: the crashed program will not go on by itself.
    auto crashed = [&] {
        if (Clock::now() < nextCrashCheck) return false;
        nextCrashCheck = Clock::now() + 200ms;
        const auto reporters = uidriver::CrashWatch::running();
        if (reporters.empty()) return false;
        for (const auto& r : reporters) t.line(L"! crash dialog: " + r.exeName);
        uidriver::CrashWatch::end(reporters);
        faultless = false;
        return true;
    };

    while (Clock::now() < deadline && !program.ended()) {
        if (crashed()) break;
        const auto windows = uidriver::dialogWindows(program.id());
        if (windows.empty()) {
            std::this_thread::sleep_for(10ms);
            continue;
        }
        // A window just shown may still be laying itself out; give it a moment before reading it.
        std::this_thread::sleep_for(60ms);
        auto view = uidriver::inspect(windows.front());
        t.line(view.describe());
        const auto wanted = view.isBox ? uidriver::Action::Target::Box : uidriver::Action::Target::Dialog;
        bool ended = false;
        while (!ended) {
            if (next >= script->size() || (*script)[next].target != wanted) {
                t.line(L"! unscripted window: closed");
                uidriver::closeByWindowMenu(view);
                faultless = false;
                break;
            }
            const auto& action = (*script)[next++];
            t.line(L"> " + action.text());
            bool done = true;
            switch (action.verb) {
            case uidriver::Action::Verb::Press: done = uidriver::press(view, action.argument); break;
            case uidriver::Action::Verb::Click: done = uidriver::click(view, action.argument); break;
            case uidriver::Action::Verb::Escape: uidriver::escape(view); break;
            case uidriver::Action::Verb::Close: uidriver::closeByWindowMenu(view); break;
            case uidriver::Action::Verb::Key: uidriver::typeKey(view, uidriver::virtualKeyOf(action.argument)); break;
            case uidriver::Action::Verb::Focus:
                if (!awaitFocus(view, action.argument, t)) faultless = false;
                break;
            case uidriver::Action::Verb::Shot:
                uidriver::redrawFrame(view);
                if (!screenshots.take(action.argument, 15000)) {
                    t.line(L"! screenshot " + action.argument + L" not taken in time");
                    done = false;
                }
                break;
            }
            if (!done) {
                t.line(L"! no control \"" + action.argument + L"\": window closed");
                uidriver::closeByWindowMenu(view);
                faultless = false;
                break;
            }
            ended = action.endsWindow();
            // A typed key ends the window exactly when the script goes on with another window.
            if (action.verb == uidriver::Action::Verb::Key) {
                ended = next >= script->size() || (*script)[next].target != wanted;
            }
            if (!ended && action.verb == uidriver::Action::Verb::Click) {
                view = uidriver::inspect(view.hwnd);
                t.line(view.describe());
            }
        }
        if (!waitGone(view.hwnd, program, 10s)) {
            t.line(L"! window still shown 10 s after the action");
            faultless = false;
            break;
        }
    }
    if (!program.ended()) {
        nextCrashCheck = Clock::now();
        crashed();
    }
    if (!program.waitEnd(static_cast<DWORD>(std::max<long long>(
            0, std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count())))) {
        t.line(L"! timeout: program ended by the driver");
        program.terminate(99);
        program.waitEnd(5000);
        faultless = false;
    }
    if (next < script->size()) {
        t.line(L"! script not used up from line " + std::to_wstring((*script)[next].line));
        faultless = false;
    }
    t.line(L"exit " + std::to_wstring(program.exitCode()));
    return faultless ? 0 : 1;
}
