#pragma once
// The form's design measures (twips) in dialog units, as the dialog template must carry them.
#include <cstdint>

#include "app/TwipsRect.h"

namespace korvane {

struct DialogUnitRect {
    int32_t x = 0;
    int32_t y = 0;
    int32_t cx = 0;
    int32_t cy = 0;
    friend bool operator==(const DialogUnitRect&, const DialogUnitRect&) = default;
};

// Twips to dialog units for the dialog font (8 point "MS Shell Dlg", base units 6 x 13 pixels at 96 dpi:
// 15 twips per pixel, a horizontal unit is a quarter, a vertical unit an eighth of the base unit).
// Edges are converted, not sizes, so that edges that line up in twips still line up afterwards.
DialogUnitRect toDialogUnits(const TwipsRect& twips);

// Twips that lie inside a container, moved into the coordinates of the container's own parent.
TwipsRect offsetBy(const TwipsRect& inner, const TwipsRect& container);

}  // namespace korvane
