#pragma once
// The start-up procedure: checks, template choice, confirmation, title-block properties, exchange.
#include <cstdint>
#include <string>

#include "app/UserInterface.h"
#include "automation/AutomationError.h"
#include "files/clsFileString.h"
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

// The template directory: two backslashes, the file server's name, "\daten\Admin\Vorlagen\SeV12\".
std::wstring templateDirectory();

// The template file of a choice of the dialog (1 "eng.chin.Normal", any other "Normal"), in the
// template directory.
std::wstring templateFile(int32_t choice);

// Whether both template files are there; the second is not looked for when the first is missing.
bool templatesPresent(clsFileString& files);

// Texts of the procedure that the batch program shows alike.
extern const std::wstring kVorlageFehlt;
extern const std::wstring kMehrfachGestartet;
extern const std::wstring kSchriftfeldFehlt;

// The text of the box that reports an error ending the run: its number and its description.
std::wstring errorReport(const AutomationError& e);

}  // namespace korvane
