#pragma once
// The form's design measures (twips) in dialog units, as the dialog template must carry them: the same
// rectangle, left/top/width/height now counted in dialog units.
#include <cstdint>
#include <tuple>

#include "app/TwipsRect.h"

namespace korvane::test {

// Twips to dialog units for the dialog font (8 point "MS Shell Dlg", base units 6 x 13 pixels at 96 dpi:
// 15 twips per pixel; a horizontal unit is a quarter of the base unit, 22.5 twips, a vertical unit an
// eighth, 24.375 twips). Edges are converted, not sizes, so that edges that line up in twips still line
// up afterwards; integer fractions, rounded half up.
inline TwipsRect toDialogUnits(const TwipsRect& twips) {
    const auto roundDiv = [](int64_t numerator, int64_t denominator) {
        return static_cast<int32_t>((2 * numerator + denominator) / (2 * denominator));
    };
    const auto horizontal = [&](int32_t t) { return roundDiv(int64_t{t} * 2, 45); };
    const auto vertical = [&](int32_t t) { return roundDiv(int64_t{t} * 8, 195); };
    const int32_t x = horizontal(twips.left);
    const int32_t y = vertical(twips.top);
    return {x, y, horizontal(twips.left + twips.width) - x, vertical(twips.top + twips.height) - y};
}

// Twips that lie inside a container, moved into the coordinates of the container's own parent.
inline TwipsRect offsetBy(const TwipsRect& inner, const TwipsRect& container) {
    return {inner.left + container.left, inner.top + container.top, inner.width, inner.height};
}

// A rectangle as a tuple, to compare and print.
inline std::tuple<int32_t, int32_t, int32_t, int32_t> measures(const TwipsRect& r) {
    return {r.left, r.top, r.width, r.height};
}

}  // namespace korvane::test
