#pragma once
// Small pieces both file-system implementations share, so that they answer alike.
#include <string>
#include <string_view>

#include "automation/Variant.h"

namespace korvane {

// GetDriveName: "X:" (case kept) for a name that starts with a letter and a colon,
// "\\server\share" for a UNC name with both parts, "" otherwise.
std::wstring driveNameOf(std::wstring_view path);

// Whether the last part of a name (after its last "\" or "/") holds "*" or "?": the scripting
// runtime's delete, copy and move then act on every entry that matches it.
bool hasWildcards(std::wstring_view path);

// Whether a name ends with "\" or "/": the target of a copy or move then names a folder.
bool endsWithSeparator(std::wstring_view path);

// Where a file goes when the target names a folder: that folder, then the file's own name.
std::wstring intoFolder(std::wstring_view folder, std::wstring_view file);

// The automation date of a local calendar time, to the second (the runtime drops milliseconds).
AutomationDate automationDateOf(int year, int month, int day, int hour, int minute, int second);

}  // namespace korvane
