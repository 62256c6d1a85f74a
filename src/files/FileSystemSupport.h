#pragma once
// Small pieces both file-system implementations share, so that they answer alike.
#include <string>
#include <string_view>

#include "automation/Variant.h"

namespace korvane {

// GetDriveName: "X:" (case kept) for a name that starts with a letter and a colon,
// "\\server\share" for a UNC name with both parts, "" otherwise.
std::wstring driveNameOf(std::wstring_view path);

// The automation date of a local calendar time, to the second (the runtime drops milliseconds).
AutomationDate automationDateOf(int year, int month, int day, int hour, int minute, int second);

}  // namespace korvane
