#include "StartupTrace.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "processes/win32/UniqueHandle.h"

namespace korvane::startup {

namespace {

// Filled once, on the first mark (which also notes the creation time itself); empty when tracing is off.
struct Trace {
    std::wstring file;
    ULONGLONG created = 0;  // 100 ns units, the process's creation time
};

ULONGLONG asNumber(const FILETIME& t) { return (ULONGLONG{t.dwHighDateTime} << 32) | t.dwLowDateTime; }

// Appends one line; the file is opened and closed each time, so every line is there even though the
// process ends without any teardown.
void append(const wchar_t* file, const char* line) {
    const UniqueHandle out(::CreateFileW(file, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                         OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!out) return;
    DWORD written = 0;
    ::WriteFile(out.get(), line, static_cast<DWORD>(std::strlen(line)), &written, nullptr);
}

const Trace& trace() {
    static const Trace t = [] {
        Trace result;
        wchar_t path[MAX_PATH];
        const DWORD n = ::GetEnvironmentVariableW(L"KORVANE_STARTUP_TRACE", path, MAX_PATH);
        if (n == 0 || n >= MAX_PATH) return result;
        FILETIME created, exited, kernel, user;
        if (!::GetProcessTimes(::GetCurrentProcess(), &created, &exited, &kernel, &user)) return result;
        result.file = path;
        result.created = asNumber(created);
        char line[64];
        std::snprintf(line, sizeof line, "created-filetime %llu\n", static_cast<unsigned long long>(result.created));
        append(path, line);
        return result;
    }();
    return t;
}

HHOOK showHook = nullptr;

// The first top-level window of the thread that becomes visible is the dialog.
LRESULT CALLBACK watchShow(int code, WPARAM wParam, LPARAM lParam) {
    // NOLINTNEXTLINE(performance-no-int-to-ptr): Win32 hands the pointer back as an integer
    const auto* message = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (code == HC_ACTION && showHook && message->message == WM_SHOWWINDOW && message->wParam &&
        !::GetParent(message->hwnd)) {
        mark("dialog-shown");
        HHOOK hook = showHook;
        showHook = nullptr;
        ::UnhookWindowsHookEx(hook);
        return 0;
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

bool tracing() { return !trace().file.empty(); }

void mark(const char* stage) {
    const Trace& t = trace();
    if (t.file.empty()) return;
    FILETIME now;
    ::GetSystemTimePreciseAsFileTime(&now);
    const long long micros = static_cast<long long>(asNumber(now) - t.created) / 10;
    char line[96];
    std::snprintf(line, sizeof line, "%s %lld\n", stage, micros);
    append(t.file.c_str(), line);
}

std::optional<std::vector<ProcessEntry>> TracedProcessTable::snapshot() {
    mark("census-start");
    auto result = inner_->snapshot();
    mark("census-end");
    return result;
}

int32_t TracedUserInterface::chooseTemplate() {
    mark("dialog-asked");
    showHook = ::SetWindowsHookExW(WH_CALLWNDPROCRET, &watchShow, nullptr, ::GetCurrentThreadId());
    return inner_.chooseTemplate();
}

}  // namespace korvane::startup
