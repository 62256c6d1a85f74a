// korvane.exe: the Windows services behind the portable core, then the start-up procedure.
#include <windows.h>

#include <memory>

#include "app/modMain.h"
#include "app/win32/Win32UserInterface.h"
#include "automation/AutomationError.h"
#include "automation/win32/Apartment.h"
#include "automation/win32/RetryMessageFilter.h"
#include "drawing/Messages.h"
#include "processes/PlatformServices.h"
#include "StartupTrace.h"

namespace {

// korvane.exe may be started from a network folder that others can write to. Windows looks for a DLL
// that is not one of its known DLLs in the program's folder first, so from here on every DLL, whoever
// asks for it, comes from the system folder only. The one such import, mpr.dll, is not imported at all
// but loaded the same way (files/win32/SystemLibrary.h): imports are resolved before this code runs.
void loadDllsFromTheSystemFolderOnly() {
    ::SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, PWSTR /*commandLine*/, int /*show*/) {
    using namespace korvane;
    loadDllsFromTheSystemFolderOnly();
    startup::mark("entry");
    Win32UserInterface windows;
    startup::TracedUserInterface traced(windows);
    UserInterface* const chosen = startup::tracing() ? static_cast<UserInterface*>(&traced) : &windows;
    UserInterface& ui = *chosen;
    try {
        // One single-threaded apartment for the whole run; the CAD application is called synchronously
        // from this thread, and calls it turns away while busy are retried for a while.
        com::Apartment apartment;
        com::RetryMessageFilter retry;
        startup::mark("com-ready");
        PlatformServices services = defaultPlatformServices();
        if (startup::tracing()) {
            services.processTable = std::make_shared<startup::TracedProcessTable>(services.processTable);
        }
        // Main has dropped every object of the run when it returns; only the user interface is left.
        return Main(ui, services);
    } catch (const AutomationError& e) {
        // Only the set-up above can get here: Main reports its own errors.
        ui.messageBox(errorReport(e), mb::Critical, L"Korvane");
    }
    return exitcode::Error;
}
