#include "batch/SheetPlan.h"

#include "drawing/BackgroundSheets.h"

namespace korvane {

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
    for (const SheetInfo& sheet : drawing) {
        const SheetInfo* partner = nullptr;
        for (const SheetInfo& candidate : templateSheets) {
            if (candidate.size == sheet.size) {
                partner = &candidate;
                break;
            }
        }
        if (!partner) {
            alone.push_back(sheet);
            continue;
        }
        text.pairs += (text.pairs.empty() ? L"" : L", ") + sheet.name + L" (" + std::to_wstring(sheet.size) +
                      L") → " + partner->name;
    }
    text.withoutPartner = sheetList(alone);
    return text;
}

}  // namespace korvane
