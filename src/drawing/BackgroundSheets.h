#pragma once
// Reading a drawing's background sheets as the exchange pairs them: the sheets of its background
// group in collection order, and the size value of a sheet's setup.
#include <cstdint>
#include <vector>

#include "automation/Dispatch.h"
#include "automation/Variant.h"

namespace korvane {

// The drawing's background sheets in collection order. No guard.
std::vector<Variant> backgroundSheets(const Object& drawing);

// The size value of a sheet's setup. No guard.
int32_t sheetSize(const Object& sheet);

}  // namespace korvane
