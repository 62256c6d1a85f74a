#pragma once
// Failed COM calls as AutomationErrors, the way the automation runtime reports them:
// 0x800Axxxx is the runtime error xxxx, every other HRESULT its signed 32-bit value.
#include <windows.h>
#include <oleauto.h>

#include <cstdint>
#include <string>

#include "automation/AutomationError.h"

namespace korvane::com {

// Facility "control" (0x800A....): HRESULTs that carry a classic runtime error number.
inline constexpr uint32_t RuntimeFacilityMask = 0xFFFF0000u;
inline constexpr uint32_t RuntimeFacilityBase = 0x800A0000u;

int32_t runtimeNumberOf(HRESULT hr) noexcept;
// The HRESULT that carries a runtime error number (numbers 1..65535 in facility control).
HRESULT hresultOfRuntimeNumber(int32_t number) noexcept;
// The system's text for an HRESULT, without trailing line break; empty when the system has none.
std::wstring systemMessage(HRESULT hr);

// The error of a failed call; info is the EXCEPINFO of a DISP_E_EXCEPTION (may be null).
AutomationError errorFromHResult(HRESULT hr, EXCEPINFO* info = nullptr);
[[noreturn]] void raiseHResult(HRESULT hr, EXCEPINFO* info = nullptr);

}  // namespace korvane::com
