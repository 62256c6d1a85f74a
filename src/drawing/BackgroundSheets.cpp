#include "drawing/BackgroundSheets.h"

#include "cad/MemberIds.h"

namespace korvane {

namespace sheets = member::sheets;

std::vector<Variant> backgroundSheets(const Object& drawing) {
    return drawing.getObject(member::draft::SheetGroups)
        .callObject(sheets::GroupItem, {Variant::i2(sheets::BackgroundGroup)})
        .getObject(sheets::GroupSheets)
        .items();
}

int32_t sheetSize(const Object& sheet) { return sheet.getObject(sheets::Setup).get(sheets::SetupSize).toLong(); }

}  // namespace korvane
