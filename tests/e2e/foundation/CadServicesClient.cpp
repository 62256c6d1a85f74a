// Client of the CAD-service end-to-end cases (scripts/wine/run-e2e): clsSolidEdge made as a library
// user makes it, with the platform's binding (ComBinder) and file system (Win32FileSystem), across
// processes to EdgeSim.exe.
//   CadServicesClient running DRAWING   binds to the running application, saves and closes DRAWING by
//                                       name, reads the active type and compares versions
//   CadServicesClient start             no application runs: binding starts one, teardown ends it
// Prints one result line with what the object saw; exit code 1 on an automation error.
#include <windows.h>

#include <cstdio>
#include <memory>
#include <string>

#include "automation/AutomationError.h"
#include "automation/TextConvert.h"
#include "automation/win32/Apartment.h"
#include "cad/clsSolidEdge.h"

using namespace korvane;

namespace {

void print(const std::wstring& line) { std::printf("%s\n", toUtf8(line).c_str()); }
std::wstring flag(bool b) { return b ? L"1" : L"0"; }

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
        if (which == L"running" && argc > 2) return running(argv[2]);
        if (which == L"start") return start();
    } catch (const AutomationError& e) {
        print(L"error " + std::to_wstring(e.number()) + L" " + e.description());
        return 1;
    }
    print(L"usage: CadServicesClient running DRAWING | start");
    return 64;
}
