#pragma once
// korvane.exe may be started from a network folder that others can write to, and Windows looks for a
// DLL that is not one of its known DLLs in the program's folder first.

namespace korvane {

// From here on every DLL this process loads, whoever asks for it, comes from the system folder only.
// Imports are resolved before the program's code runs, so it must be the first thing the program does,
// and a DLL it needs beyond Windows' known DLLs is loaded, not imported (files/win32/SystemLibrary.h).
void loadDllsFromTheSystemFolderOnly();

}  // namespace korvane
