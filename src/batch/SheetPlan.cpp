#include "batch/SheetPlan.h"

#include <cstddef>
#include <optional>

#include "drawing/BackgroundSheets.h"
#include "drawing/SheetPairing.h"

namespace korvane {

namespace {

std::vector<int32_t> sizesOf(const std::vector<SheetInfo>& sheets) {
    std::vector<int32_t> sizes;
    sizes.reserve(sheets.size());
    for (const SheetInfo& sheet : sheets) sizes.push_back(sheet.size);
    return sizes;
}

}  // namespace

std::vector<SheetInfo> backgroundSheetsOf(const Object& document) {
    std::vector<SheetInfo> out;
    for (const Variant& item : backgroundSheets(document)) {
        const Object sheet = Object::from(item);
        out.push_back({sheet.get(L"Name").toText(), sheetSize(sheet)});
    }
    return out;
}

std::wstring sheetList(const std::vector<SheetInfo>& list) {
    std::wstring text;
    for (const SheetInfo& s : list) text += (text.empty() ? L"" : L", ") + s.name + L" (" + std::to_wstring(s.size) + L")";
    return text;
}

std::vector<SheetInfo> sheetsAt(const std::vector<SheetInfo>& list, const std::vector<UnchangedSheet>& unchanged) {
    std::vector<SheetInfo> out;
    for (const UnchangedSheet& u : unchanged) {
        if (u.position >= 1 && static_cast<size_t>(u.position) <= list.size())
            out.push_back(list[static_cast<size_t>(u.position - 1)]);
    }
    return out;
}

PairingText describePairing(const std::vector<SheetInfo>& drawing, const std::vector<SheetInfo>& templateSheets) {
    PairingText text;
    std::vector<SheetInfo> alone;
    const std::vector<std::optional<size_t>> partners = pairSheets(sizesOf(drawing), sizesOf(templateSheets));
    for (size_t position = 0; position < drawing.size(); ++position) {
        const SheetInfo& sheet = drawing[position];
        if (!partners[position]) {
            alone.push_back(sheet);
            continue;
        }
        text.pairs += (text.pairs.empty() ? L"" : L", ") + sheet.name + L" (" + std::to_wstring(sheet.size) +
                      L") → " + templateSheets[*partners[position]].name;
    }
    text.withoutPartner = sheetList(alone);
    return text;
}

}  // namespace korvane
