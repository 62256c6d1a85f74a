// Client of the foundation end-to-end cases (scripts/wine/run-e2e), one case per run, across processes
// to EdgeSim.exe:
//   ComFoundationClient busy BOUND_MS       reads the version twice with a retry filter bounded to BOUND_MS;
//                                           prints "ok <ms>" or "error <number> <ms>" for the second read
//   ComFoundationClient create              creates a new application instance, reads its version, quits it
//   ComFoundationClient running DRAWING     clsSolidEdge, made as a library user makes it (platform binding
//                                           and file system), binds to the running application, saves and
//                                           closes DRAWING by name, reads the active type, compares versions
//   ComFoundationClient start               the same with no application running: binding starts one,
//                                           teardown ends it
// Prints one result line; exit code 0 when the case ran through, 1 on an automation error.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cwchar>
#include <string>

#include "automation/AutomationError.h"
#include "automation/TextConvert.h"
#include "automation/win32/Apartment.h"
#include "automation/win32/ComBinder.h"
#include "automation/win32/RetryMessageFilter.h"
#include "cad/clsSolidEdge.h"

using namespace korvane;

namespace {

constexpr wchar_t kProgId[] = L"SolidEdge.Application";

void print(const std::wstring& line) { std::printf("%s\n", toUtf8(line).c_str()); }
std::wstring flag(bool b) { return b ? L"1" : L"0"; }

int busy(DWORD bound) {
    com::RetryMessageFilter filter{std::chrono::milliseconds(bound)};
    com::ComBinder binder;
    Object app = binder.getActiveObject(kProgId);
    app.get(58);  // the scenario makes the application busy from this call on
    auto start = std::chrono::steady_clock::now();
    auto elapsed = [&] {
        return std::to_wstring(
            std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count());
    };
    try {
        std::wstring version = app.get(58).toText();
        print(L"ok " + elapsed() + L" " + version);
    } catch (const AutomationError& e) {
        print(L"error " + std::to_wstring(e.number()) + L" " + elapsed());
    }
    return 0;
}

int create() {
    com::ComBinder binder;
    Object app = binder.createObject(kProgId);
    std::wstring version = app.get(58).toText();
    app.call(40);
    print(L"ok " + version);
    return 0;
}

int running(const std::wstring& drawing) {
    std::wstring seen;
    {
        clsSolidEdge se;
        const std::wstring type = se.ermittleDokumentTyp();
        const bool saved = se.speichereSolidEdgeDokument(drawing);
        const bool older = se.alteDateiVersion(L"12.5", 2);
        const bool closed = se.schlieseSolidEdgeDokument(drawing);
        seen = L"type " + type + L" saved " + flag(saved) + L" older " + flag(older) + L" closed " + flag(closed) +
               L" started " + flag(se.started());
    }  // teardown: settings 18 and 29 back on, the running application stays
    print(L"ok " + seen);
    return 0;
}

int start() {
    std::wstring seen;
    {
        clsSolidEdge se;
        Object app = se.liefereSolidEdgeApplication();
        // One binding only: every operation binds anew, and a later binding finds the started
        // instance running, after which teardown leaves it running.
        seen = L"bound " + flag(!app.isNothing()) + L" started " + flag(se.started()) + L" version " +
               app.get(58).toText();
    }  // teardown ends the application this object started
    print(L"ok " + seen);
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring which = argc > 1 ? argv[1] : L"";
    try {
        com::Apartment apartment;
        if (which == L"busy" && argc > 2) return busy(static_cast<DWORD>(std::wcstoul(argv[2], nullptr, 10)));
        if (which == L"create") return create();
        if (which == L"running" && argc > 2) return running(argv[2]);
        if (which == L"start") return start();
    } catch (const AutomationError& e) {
        print(L"error " + std::to_wstring(e.number()) + L" " + e.description());
        return 1;
    }
    print(L"usage: ComFoundationClient busy BOUND_MS | create | running DRAWING | start");
    return 64;
}
