#pragma once
// The dispatch ids of the CAD application's members that are called by number, one table for every
// subsystem. Members called by name ("FullName", "Type", "Save", "Close", "Properties", "SelectSet",
// "RemoveAll", "AddAll") are looked up at run time and are not listed.
#include <cstdint>

#include "automation/Dispatch.h"

namespace korvane::member {

namespace application {
inline constexpr DispId ActiveDocument = 2;
inline constexpr DispId ActiveWindow = 8;
inline constexpr DispId DisplayAlerts = 18;
inline constexpr DispId Documents = 21;
inline constexpr DispId ScreenUpdating = 29;
inline constexpr DispId Quit = 40;
inline constexpr DispId Version = 58;
inline constexpr DispId DoIdle = 63;
inline constexpr DispId ActiveDocumentType = 76;
inline constexpr DispId StartCommand = 79;
}  // namespace application

namespace documents {
inline constexpr DispId Item = 0;
inline constexpr DispId Count = 3;
inline constexpr DispId Open = 6;
}  // namespace documents

namespace draft {
inline constexpr DispId Activate = 1;
inline constexpr DispId Close = 6;
inline constexpr DispId PropertySets = 52;
inline constexpr DispId SheetGroups = 4199;
inline constexpr DispId UpdateTitleBlock = 4213;
}  // namespace draft

namespace sheets {
inline constexpr DispId GroupItem = 0;            // on the sheet groups collection
inline constexpr int16_t BackgroundGroup = 2;     // the argument that names the background sheets
inline constexpr DispId GroupSheets = 104;        // on a sheet group
inline constexpr DispId Activate = 115;           // on a sheet
inline constexpr DispId Setup = 123;              // on a sheet
inline constexpr DispId SetupSize = 12;           // on a sheet setup
}  // namespace sheets

namespace properties {
inline constexpr DispId SetsItem = 0;  // on a document's property sets
inline constexpr DispId SetItem = 0;   // on one property set
inline constexpr DispId SetSave = 5;
inline constexpr DispId SetAdd = 8;
inline constexpr DispId Value = 2;  // on one property
}  // namespace properties

// Commands sent through application::StartCommand.
namespace command {
inline constexpr int32_t Delete = 10100;
inline constexpr int32_t ShowBackgroundSheets = 10211;
inline constexpr int32_t ShowWorkingSheets = 10212;
inline constexpr int32_t Copy = 57634;
inline constexpr int32_t Paste = 57637;
}  // namespace command

}  // namespace korvane::member
