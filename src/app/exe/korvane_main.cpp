// korvane.exe: the Windows services behind the portable core, then the start-up procedure.
#include <windows.h>

#include <memory>

#include "app/PlatformServices.h"
#include "app/modMain.h"
#include "app/win32/ToolhelpProcessTable.h"
#include "app/win32/Win32UserInterface.h"
#include "automation/AutomationBinder.h"
#include "automation/AutomationError.h"
#include "automation/win32/Apartment.h"
#include "automation/win32/ComBinder.h"
#include "automation/win32/RetryMessageFilter.h"
#include "files/FileSystem.h"
#include "files/win32/Win32FileSystem.h"

int WINAPI wWinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, PWSTR /*commandLine*/, int /*show*/) {
    using namespace korvane;
    Win32UserInterface ui;
    try {
        // One single-threaded apartment for the whole run; the CAD application is called synchronously
        // from this thread, and calls it turns away while busy are retried for a while.
        com::Apartment apartment;
        com::RetryMessageFilter retry;
        const PlatformServices services{std::make_shared<Win32FileSystem>(), std::make_shared<ToolhelpProcessTable>(),
                                        std::make_shared<com::ComBinder>()};
        // Main has dropped every object of the run when it returns; only the user interface is left.
        return Main(ui, services);
    } catch (const AutomationError& e) {
        // Only the set-up above can get here: Main reports its own errors.
        ui.messageBox(errorReport(e), mb::Critical, L"Korvane");
    }
    return exitcode::Error;
}
