#pragma once
// CreateProcessW for the harness and the tests that start programs under wine.
#include <windows.h>

#include <string>

namespace harness {

// As CreateProcessW with no application name and no security attributes, except that it starts the
// program again (three tries in all, half a second apart) when wine lost the new process during its
// own start. Wine reports that as ERROR_INTERNAL_ERROR: the child ended before its loader told the
// server it was up, which it does before any code of the program runs, so a new try repeats nothing.
// Each new try is announced on standard error. False, with GetLastError set, when no try started it.
bool startProcess(const std::wstring& commandLine, bool inheritHandles, DWORD flags, STARTUPINFOW& startup,
                  PROCESS_INFORMATION& info);

}  // namespace harness
