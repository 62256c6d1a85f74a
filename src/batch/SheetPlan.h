#pragma once
// The background sheets of a drawing as the exchange pairs them (drawing/SheetPairing.h). Used by the dry run to say what an exchange would do, and by the report to name the
// sheets that keep their content.
#include <cstdint>
#include <string>
#include <vector>

#include "automation/Dispatch.h"
#include "drawing/clsSolidEdgeDraft.h"

namespace korvane {

struct SheetInfo {
    std::wstring name;
    int32_t size = 0;
};

// The document's background sheets in collection order, with name and size. No guard.
std::vector<SheetInfo> backgroundSheetsOf(const Object& document);

// "name (size)" of each sheet, joined by ", ".
std::wstring sheetList(const std::vector<SheetInfo>& sheets);

// The sheets of `sheets` at the 1-based positions of `unchanged`.
std::vector<SheetInfo> sheetsAt(const std::vector<SheetInfo>& sheets, const std::vector<UnchangedSheet>& unchanged);

struct PairingText {
    std::wstring pairs;           // "Hintergrund A3 (8) → Vorlage A3, ..."
    std::wstring withoutPartner;  // sheetList of the sheets without a template sheet of their size
};

PairingText describePairing(const std::vector<SheetInfo>& drawing, const std::vector<SheetInfo>& templateSheets);

}  // namespace korvane
