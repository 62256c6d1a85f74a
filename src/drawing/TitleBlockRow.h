#pragma once
// The sixteen SAP title-block properties of a drawing, in the order every title-block operation
// handles them. Rows 8 to 13 carry a second property that older title blocks read ("QX-" prefix);
// the write fills it with the same value and the read falls back to it.
#include <array>
#include <string_view>

namespace korvane {

struct TitleBlockRow {
    std::wstring_view name;
    std::wstring_view fallbackName;  // empty when the row has no second property
};

inline constexpr std::wstring_view kTitleBlockSet = L"Custom";

// The text that stands for "no value" in a title-block property.
inline constexpr std::wstring_view kNoValue = L"-";

inline constexpr std::array<TitleBlockRow, 16> kTitleBlockRows{{
    {L"DRAWING-DRAW-DESCRIPTION", L""},
    {L"DRAWING-DRAW-DOCUMENTTYPE", L""},
    {L"DRAWING-DRAW-DOCUMENTNUMBER", L""},
    {L"DRAWING-DRAW-DOCUMENTPART", L""},
    {L"DRAWING-DRAW-DOCUMENTVERSION", L""},
    {L"DRAWING-DRAW-ECNUMBER", L""},
    {L"DRAWING-MARA-MATNR", L""},
    {L"DRAWING-PA-DATUM", L"QX-DRAWING-PA-DATUM"},
    {L"DRAWING-PA-NAME", L"QX-DRAWING-PA-NAME"},
    {L"DRAWING-K1-DATUM", L"QX-DRAWING-K1-DATUM"},
    {L"DRAWING-K1-NAME", L"QX-DRAWING-K1-NAME"},
    {L"DRAWING-NK-DATUM", L"QX-DRAWING-NK-DATUM"},
    {L"DRAWING-NK-NAME", L"QX-DRAWING-NK-NAME"},
    {L"DRAWING-CAD_WERKSTOFF", L""},
    {L"DRAWING-CAD_MASSSTAB", L""},
    {L"DRAWING-CAD_ZUSATZMASSSTAB", L""},
}};

// The values a title-block operation was given, one per row and in row order.
template <class T, class... Rest>
std::array<T*, 1 + sizeof...(Rest)> inRowOrder(T& first, Rest&... rest) {
    static_assert(1 + sizeof...(Rest) == kTitleBlockRows.size(), "one value for every title-block row");
    return {&first, &rest...};
}

}  // namespace korvane
