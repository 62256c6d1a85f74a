#pragma once
// The start-up procedure: checks, template choice, confirmation, title-block properties, exchange.
#include <cstdint>
#include <string>

#include "app/UserInterface.h"
#include "processes/PlatformServices.h"

namespace korvane {

// Exit codes of korvane.exe.
namespace exitcode {
inline constexpr int32_t Done = 0;
inline constexpr int32_t TemplateMissing = 2;
inline constexpr int32_t SolidEdgeNotRunning = 3;
inline constexpr int32_t SolidEdgeRunningTwice = 4;
inline constexpr int32_t Cancelled = 5;
inline constexpr int32_t NotADrawing = 6;
inline constexpr int32_t Error = 10;
}  // namespace exitcode

// Runs the whole procedure with the given user interface and services and returns the exit code.
// Each step's objects are gone by then; the process is to end with the code and nothing more.
int32_t Main(UserInterface& ui, const PlatformServices& services);

}  // namespace korvane
