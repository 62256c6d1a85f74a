#include "drawing/SheetPairing.h"

namespace korvane {

std::optional<size_t> partnerSheet(int32_t size, size_t count, const std::function<int32_t(size_t)>& sizeAt) {
    for (size_t position = 0; position < count; ++position) {
        if (sizeAt(position) == size) return position;
    }
    return std::nullopt;
}

std::vector<std::optional<size_t>> pairSheets(const std::vector<int32_t>& drawingSizes,
                                              const std::vector<int32_t>& templateSizes) {
    std::vector<std::optional<size_t>> partners;
    partners.reserve(drawingSizes.size());
    for (const int32_t size : drawingSizes) {
        partners.push_back(partnerSheet(size, templateSizes.size(), [&](size_t position) { return templateSizes[position]; }));
    }
    return partners;
}

}  // namespace korvane
