#pragma once
// The system's crash reporters (winedbg under wine; WerFault and its predecessors on Windows). While one
// runs, a program has crashed and its crash dialog is showing or about to show; such a dialog belongs to
// the reporter's process, not to the crashed one, so the driver's window watch alone would miss it.
#include <windows.h>

#include <string>
#include <vector>

namespace uidriver {

class CrashWatch {
public:
    struct Reporter {
        std::wstring exeName;
        DWORD processId = 0;
    };

    // The crash reporters running right now.
    static std::vector<Reporter> running();
    // Ends them, so that the crashed program they hold ends too and nothing is left behind.
    static void end(const std::vector<Reporter>& reporters);
};

}  // namespace uidriver
