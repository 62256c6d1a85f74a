#pragma once
// The German texts that korvane.exe shows in its boxes and the batch program writes to its console and
// report alike, so that a designer meets the same words in both.
#include <string>

#include "automation/AutomationError.h"

namespace korvane {

extern const std::wstring kVorlageFehlt;
extern const std::wstring kMehrfachGestartet;
extern const std::wstring kSchriftfeldFehlt;

// The text of the box that reports an error ending the run: its number and its description.
std::wstring errorReport(const AutomationError& e);

}  // namespace korvane
