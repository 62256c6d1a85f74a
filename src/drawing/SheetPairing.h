#pragma once
// The one rule that says which template sheet a background sheet of the drawing gets: the first
// background sheet of the template, in its collection order, of equal size; none when the template has
// no sheet of that size. The exchange and the batch's dry run both ask here, so that what the dry run
// reports is what the exchange does.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace korvane {

// The position (0-based) of the template sheet that a drawing sheet of `size` gets, of `count` template
// sheets whose sizes `sizeAt` gives. The sizes are asked in collection order and none after the partner,
// so that the exchange reads no more of the template than the pairing needs.
std::optional<size_t> partnerSheet(int32_t size, size_t count, const std::function<int32_t(size_t)>& sizeAt);

// For each of the drawing's sheet sizes, the position of its template sheet among `templateSizes`, or none.
std::vector<std::optional<size_t>> pairSheets(const std::vector<int32_t>& drawingSizes,
                                              const std::vector<int32_t>& templateSizes);

}  // namespace korvane
