#include "model/DocumentContent.h"

#include <algorithm>

namespace edgesim {

namespace {

template <class Range, class Name>
auto* findByName(Range& range, Name name) {
    auto it = std::find_if(range.begin(), range.end(), [&](const auto& e) { return e.name == name; });
    return it == range.end() ? nullptr : &*it;
}

}  // namespace

Property* PropertySet::find(std::wstring_view propertyName) { return findByName(properties, propertyName); }
const Property* PropertySet::find(std::wstring_view propertyName) const { return findByName(properties, propertyName); }

PropertySet* DocumentContent::propertySet(std::wstring_view setName) { return findByName(propertySets, setName); }
const PropertySet* DocumentContent::propertySet(std::wstring_view setName) const {
    return findByName(propertySets, setName);
}

const Property* DocumentContent::property(std::wstring_view setName, std::wstring_view propertyName) const {
    const PropertySet* set = propertySet(setName);
    return set ? set->find(propertyName) : nullptr;
}

const Sheet* DocumentContent::sheet(SheetGroupKind group, std::wstring_view sheetName) const {
    return findByName(sheets(group), sheetName);
}

}  // namespace edgesim
