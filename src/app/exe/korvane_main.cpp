// korvane.exe: the Windows services behind the portable core, then the start-up procedure.
#include <windows.h>

#include <memory>

#include "app/modMain.h"
#include "app/win32/SystemFolderDlls.h"
#include "app/win32/Win32UserInterface.h"
#include "automation/AutomationError.h"
#include "automation/win32/Apartment.h"
#include "automation/win32/RetryMessageFilter.h"
#include "drawing/Messages.h"
#include "processes/PlatformServices.h"
#include "StartupTrace.h"

int WINAPI wWinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, PWSTR /*commandLine*/, int /*show*/) {
    using namespace korvane;
    // Before anything else can load a DLL.
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
