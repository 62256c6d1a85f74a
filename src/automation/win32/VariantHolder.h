#pragma once
// Owning VARIANT: VariantInit on construction, VariantClear on destruction.
#include <windows.h>
#include <oleauto.h>

#include "automation/UniqueStruct.h"

namespace korvane::com {

using VariantHolder = UniqueStruct<VARIANT, &VariantClear, &VariantInit>;

}  // namespace korvane::com
