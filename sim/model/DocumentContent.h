#pragma once
// What a document file holds: its type, the prompts it raises, its property sets and its two groups of sheets.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/DocumentPrompt.h"

namespace edgesim {

// Sheet groups of a drafting document, numbered as the application numbers them.
enum class SheetGroupKind : int32_t { Working = 1, Background = 2 };

struct Sheet {
    std::wstring name;
    int32_t size = 0;                 // the sheet setup's size value
    std::vector<std::wstring> items;  // the drawn content, one text per item
};

struct Property {
    std::wstring name;
    std::wstring value;
};

struct PropertySet {
    std::wstring name;
    std::vector<Property> properties;

    Property* find(std::wstring_view propertyName);
    const Property* find(std::wstring_view propertyName) const;
};

struct DocumentContent {
    int32_t type = 2;
    std::vector<DocumentPrompt> prompts;  // in the order of the file
    std::vector<PropertySet> propertySets;
    std::vector<Sheet> workingSheets;
    std::vector<Sheet> backgroundSheets;

    std::vector<Sheet>& sheets(SheetGroupKind group) {
        return group == SheetGroupKind::Working ? workingSheets : backgroundSheets;
    }
    const std::vector<Sheet>& sheets(SheetGroupKind group) const {
        return group == SheetGroupKind::Working ? workingSheets : backgroundSheets;
    }
    // Set and property names are matched exactly; the first of equal names wins.
    PropertySet* propertySet(std::wstring_view setName);
    const PropertySet* propertySet(std::wstring_view setName) const;
    const Property* property(std::wstring_view setName, std::wstring_view propertyName) const;
    const Sheet* sheet(SheetGroupKind group, std::wstring_view sheetName) const;
};

}  // namespace edgesim
