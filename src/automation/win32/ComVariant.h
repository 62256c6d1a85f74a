#pragma once
// Values across the automation boundary: korvane::Variant <-> VARIANT.
#include <windows.h>
#include <oaidl.h>

#include "automation/Variant.h"

namespace korvane::com {

// What an incoming object reference becomes. A caller always talks to it through a ComDispatch;
// a server recognises its own served objects and gets the object behind them back.
enum class ObjectAdoption { Caller, Server };

// Fills an empty VARIANT. A text by reference travels as its current text; callers that pass
// arguments by reference set up the reference slots themselves.
void toComVariant(const Variant& value, VARIANT& out);

// The value of a VARIANT. Null and empty give Empty; numbers of other widths become I2, I4 or R8;
// references are followed; a kind without counterpart raises 13.
Variant fromComVariant(const VARIANT& value, ObjectAdoption adoption);

}  // namespace korvane::com
