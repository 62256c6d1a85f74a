#include "app/DialogUnits.h"

namespace korvane {

namespace {

// One horizontal dialog unit is 22.5 twips (15 twips per pixel * 6 pixels / 4), one vertical unit
// 24.375 twips (15 * 13 / 8). The divisions are done as integer fractions, rounding half up.
int32_t roundDiv(int64_t numerator, int64_t denominator) {
    return static_cast<int32_t>((2 * numerator + denominator) / (2 * denominator));
}

int32_t horizontal(int32_t twips) { return roundDiv(int64_t{twips} * 2, 45); }
int32_t vertical(int32_t twips) { return roundDiv(int64_t{twips} * 8, 195); }

}  // namespace

DialogUnitRect toDialogUnits(const TwipsRect& twips) {
    const int32_t x = horizontal(twips.left);
    const int32_t y = vertical(twips.top);
    return {x, y, horizontal(twips.left + twips.width) - x, vertical(twips.top + twips.height) - y};
}

TwipsRect offsetBy(const TwipsRect& inner, const TwipsRect& container) {
    return {inner.left + container.left, inner.top + container.top, inner.width, inner.height};
}

}  // namespace korvane
