// SimControl.exe: the harness's remote control of running EdgeSim servers (its name must not contain
// the census pattern, so that it is never counted as a CAD process).
//   SimControl wait-registered MS   until "SolidEdge.Application" has a running object (exit 0) or MS pass (1)
//   SimControl wait-ready MS        until an EdgeSim host window exists (0) or MS pass (1)
//   SimControl wait-gone MS         until no EdgeSim host window is left (0) or MS pass (1)
//   SimControl stop MS              asks every EdgeSim to end (WM_CLOSE to its host window), waits up to MS,
//                                   then terminates those still running by process id (exit 2 if any)
//   SimControl count                prints how many EdgeSim host windows exist
//   SimControl hold-file PATH MS    opens the file without sharing it, as another program that has it
//                                   open would, prints "held" and keeps it so for MS or until ended
//                                   (exit 0; 1 when the file cannot be opened)
//   SimControl answer-prompt        answers the prompt every EdgeSim shows (or the next one it shows), as
//                                   a user clicking its default button (exit 0; 1 when no EdgeSim runs)
//   SimControl set-properties SET NAME=VALUE...
//                                   as a user editing the file properties: writes each value into the
//                                   existing property of that set of the active document (exit 0; 1 with
//                                   the error on stderr)
#include <windows.h>
#include <objbase.h>
#include <oleauto.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <utility>
#include <vector>

#include "automation/AutomationError.h"
#include "automation/Dispatch.h"
#include "automation/TextConvert.h"
#include "automation/UniqueResource.h"
#include "automation/win32/Apartment.h"
#include "automation/win32/ComBinder.h"
#include "automation/win32/ComPtr.h"
#include "model/Simulator.h"
#include "server/EdgeSimClass.h"
#include "server/PromptAnswerListener.h"

namespace {

using UniqueHandle = korvane::UniqueResource<HANDLE, &::CloseHandle, korvane::NullOrAllOnesEmpty<HANDLE>>;

using edgesim::server::kHostWindowClass;

std::vector<HWND> hostWindows() {
    std::vector<HWND> found;
    EnumWindows(
        [](HWND w, LPARAM p) -> BOOL {
            wchar_t name[64] = {};
            if (GetClassNameW(w, name, 64) && std::wcscmp(name, kHostWindowClass) == 0)
                // NOLINTNEXTLINE(performance-no-int-to-ptr): Win32 hands the pointer back as an integer
                reinterpret_cast<std::vector<HWND>*>(p)->push_back(w);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

bool registered() {
    CLSID clsid{};
    if (FAILED(CLSIDFromProgID(edgesim::kProgId, &clsid))) return false;
    korvane::com::ComPtr<IUnknown> running;
    return SUCCEEDED(GetActiveObject(clsid, nullptr, running.put())) && running;
}

template <class Test>
int waitFor(DWORD limit, Test test) {
    ULONGLONG end = GetTickCount64() + limit;
    for (;;) {
        if (test()) return 0;
        if (GetTickCount64() >= end) return 1;
        Sleep(50);
    }
}

int stop(DWORD limit) {
    std::vector<UniqueHandle> processes;
    for (HWND w : hostWindows()) {
        DWORD id = 0;
        GetWindowThreadProcessId(w, &id);
        if (UniqueHandle h{OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, id)}) processes.push_back(std::move(h));
        PostMessageW(w, WM_CLOSE, 0, 0);
    }
    int result = 0;
    ULONGLONG end = GetTickCount64() + limit;
    for (const UniqueHandle& h : processes) {
        ULONGLONG now = GetTickCount64();
        DWORD left = now < end ? static_cast<DWORD>(end - now) : 0;
        if (WaitForSingleObject(h.get(), left) != WAIT_OBJECT_0) {
            TerminateProcess(h.get(), 4);
            WaitForSingleObject(h.get(), 5000);
            result = 2;
        }
    }
    return result;
}

int answerPrompt() {
    int answered = 0;
    for (HWND w : hostWindows()) {
        DWORD id = 0;
        GetWindowThreadProcessId(w, &id);
        const UniqueHandle event(OpenEventW(EVENT_MODIFY_STATE, FALSE, edgesim::server::promptAnswerEventName(id).c_str()));
        if (event && SetEvent(event.get())) ++answered;
    }
    return answered > 0 ? 0 : 1;
}

// Members of the automation interface the values go through.
constexpr korvane::DispId kActiveDocument = 2;
constexpr korvane::DispId kPropertySets = 52;
constexpr korvane::DispId kItem = 0;
constexpr korvane::DispId kValue = 2;

int setProperties(int argc, wchar_t** argv) {
    if (argc < 4) {
        std::fputws(L"SimControl set-properties SET NAME=VALUE...\n", stderr);
        return 64;
    }
    try {
        korvane::com::Apartment apartment;
        korvane::com::ComBinder binder;
        // Every reference is let go before the apartment is left.
        korvane::Object set = binder.getActiveObject(edgesim::kProgId)
                                  .getObject(kActiveDocument)
                                  .getObject(kPropertySets)
                                  .callObject(kItem, {korvane::Variant(std::wstring(argv[2]))});
        for (int i = 3; i < argc; ++i) {
            const std::wstring assignment = argv[i];
            const size_t equals = assignment.find(L'=');
            if (equals == std::wstring::npos) {
                std::fwprintf(stderr, L"kein NAME=WERT: %ls\n", assignment.c_str());
                return 64;
            }
            set.callObject(kItem, {korvane::Variant(assignment.substr(0, equals))})
                .put(kValue, korvane::Variant(assignment.substr(equals + 1)));
        }
        return 0;
    } catch (const korvane::AutomationError& e) {
        std::fprintf(stderr, "Fehler %d: %s\n", static_cast<int>(e.number()), korvane::toUtf8(e.description()).c_str());
        return 1;
    }
}

int holdFile(int argc, wchar_t** argv) {
    if (argc < 4) {
        std::fputws(L"SimControl hold-file PATH MS\n", stderr);
        return 64;
    }
    const UniqueHandle file(
        CreateFileW(argv[2], GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        std::fprintf(stderr, "Fehler %lu\n", GetLastError());
        return 1;
    }
    std::puts("held");
    std::fflush(stdout);
    Sleep(static_cast<DWORD>(std::wcstoul(argv[3], nullptr, 10)));
    return 0;
}

DWORD milliseconds(int argc, wchar_t** argv) {
    return argc > 2 ? static_cast<DWORD>(std::wcstoul(argv[2], nullptr, 10)) : 10000;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        std::fputws(L"SimControl wait-registered|wait-ready|wait-gone|stop MS | count | answer-prompt | hold-file PATH MS |"
                    L" set-properties SET NAME=VALUE...\n",
                    stderr);
        return 64;
    }
    std::wstring command = argv[1];
    if (command == L"count") {
        std::printf("%zu\n", hostWindows().size());
        return 0;
    }
    if (command == L"set-properties") return setProperties(argc, argv);
    if (command == L"answer-prompt") return answerPrompt();
    if (command == L"hold-file") return holdFile(argc, argv);
    DWORD limit = milliseconds(argc, argv);
    if (command == L"wait-ready") return waitFor(limit, [] { return !hostWindows().empty(); });
    if (command == L"wait-gone") return waitFor(limit, [] { return hostWindows().empty(); });
    if (command == L"stop") return stop(limit);
    if (command == L"wait-registered") {
        if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 3;
        int rc = waitFor(limit, registered);
        CoUninitialize();
        return rc;
    }
    std::fputws(L"unknown command\n", stderr);
    return 64;
}
