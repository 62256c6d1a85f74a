#pragma once
// The fixed identities of the simulated application's COM class. The class id is our own (no vendor's);
// scripts/wine/prefix registers it under "SolidEdge.Application" with EdgeSim.exe as its local server.
#include <windows.h>

namespace edgesim::server {

// {D2EF0B11-ABF3-49A0-AA2E-A1722571F856}
inline constexpr CLSID kEdgeSimClassId = {
    0xD2EF0B11, 0xABF3, 0x49A0, {0xAA, 0x2E, 0xA1, 0x72, 0x25, 0x71, 0xF8, 0x56}};

// The hidden window of a running EdgeSim.exe: WM_CLOSE to it ends the server (SimControl stop).
inline constexpr wchar_t kHostWindowClass[] = L"EdgeSimHost";

// Read when COM starts the server (-Embedding) without a scenario on its command line.
inline constexpr wchar_t kScenarioVariable[] = L"EDGESIM_SCENARIO";
inline constexpr wchar_t kStateVariable[] = L"EDGESIM_STATE";
inline constexpr wchar_t kLogVariable[] = L"EDGESIM_LOG";
// Read whenever --times is not given, also when COM starts the server: every instance a client starts
// in turn reports its served calls.
inline constexpr wchar_t kTimesVariable[] = L"EDGESIM_TIMES";

}  // namespace edgesim::server
