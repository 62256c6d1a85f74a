// korvane.exe: the Windows services behind the portable core, then the start-up procedure.
#include <windows.h>

#include <memory>

#include "app/modMain.h"
#include "app/win32/ToolhelpProcessTable.h"
#include "app/win32/Win32UserInterface.h"
#include "automation/AutomationBinder.h"
#include "automation/AutomationError.h"
#include "automation/Factory.h"
#include "automation/win32/Apartment.h"
#include "automation/win32/ComBinder.h"
#include "automation/win32/RetryMessageFilter.h"
#include "files/FileSystem.h"
#include "files/win32/Win32FileSystem.h"
#include "StartupTrace.h"

int WINAPI wWinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, PWSTR /*commandLine*/, int /*show*/) {
    using namespace korvane;
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
        Factory<FileSystem>::install([] { return std::make_shared<Win32FileSystem>(); });
        Factory<ProcessTable>::install([]() -> std::shared_ptr<ProcessTable> {
            auto table = std::make_shared<ToolhelpProcessTable>();
            if (!startup::tracing()) return table;
            return std::make_shared<startup::TracedProcessTable>(table);
        });
        Factory<AutomationBinder>::install([] { return std::make_shared<com::ComBinder>(); });
        // Main ends the process itself; the apartment and the filter are never left.
        Main(ui);
    } catch (const AutomationError& e) {
        // Only the set-up above can get here: Main reports its own errors and never returns.
        ui.messageBox(errorReport(e), mb::Critical, L"Korvane");
    }
    return exitcode::Error;
}
