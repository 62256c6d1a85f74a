#pragma once
// The failures the simulated application reports, with the numbers a COM server would return
// (HRESULTs as signed 32-bit numbers) and German descriptions.
#include <cstdint>
#include <string>

#include "automation/AutomationError.h"

namespace edgesim::err {

inline constexpr int32_t Fail = static_cast<int32_t>(0x80004005u);              // E_FAIL
inline constexpr int32_t BadIndex = static_cast<int32_t>(0x8002000Bu);          // DISP_E_BADINDEX
inline constexpr int32_t CallFailed = static_cast<int32_t>(0x800706BEu);        // RPC_S_CALL_FAILED
inline constexpr int32_t ServerUnavailable = static_cast<int32_t>(0x800706BAu); // RPC_S_SERVER_UNAVAILABLE
inline constexpr int32_t Disconnected = static_cast<int32_t>(0x80010108u);      // RPC_E_DISCONNECTED
inline constexpr int32_t AlreadyExists = static_cast<int32_t>(0x80030050u);     // STG_E_FILEALREADYEXISTS
inline constexpr int32_t AccessDenied = static_cast<int32_t>(0x80030005u);      // STG_E_ACCESSDENIED

// The source that the application's errors carry.
inline constexpr wchar_t kSource[] = L"EdgeSim";

[[noreturn]] void raise(int32_t number, std::wstring description);
// What every collection answers for an item it does not have, by position or by name.
[[noreturn]] void badIndex();

}  // namespace edgesim::err
