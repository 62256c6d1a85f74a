// The pairing rule on sizes alone: the first template sheet of equal size, none when there is none,
// and the template's sizes asked no further than the partner (the exchange reads each size from the
// CAD application, and its call log is fixed).
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "drawing/SheetPairing.h"

namespace korvane {
namespace {

using Partners = std::vector<std::optional<size_t>>;

TEST(SheetPairing, EachDrawingSheetGetsTheFirstTemplateSheetOfItsSize) {
    const struct {
        const char* what;
        std::vector<int32_t> drawing;
        std::vector<int32_t> vorlage;
        Partners expected;
    } cases[] = {
        {"one size each", {8, 4}, {4, 8}, {1, 0}},
        {"two template sheets of one size: the first", {8}, {8, 8}, {0}},
        {"the same size apart: the first", {8, 8}, {8, 4, 8}, {0, 0}},
        {"a size the template lacks", {12, 4}, {4, 4}, {std::nullopt, 0}},
        {"an empty template", {4}, {}, {std::nullopt}},
        {"no drawing sheets", {}, {4}, {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(pairSheets(c.drawing, c.vorlage), c.expected) << c.what;
    }
}

TEST(SheetPairing, AsksNoSizeBeyondThePartner) {
    const std::vector<int32_t> sizes = {4, 8, 8, 12};
    const struct {
        int32_t size;
        std::optional<size_t> partner;
        std::vector<size_t> asked;
    } cases[] = {
        {4, 0, {0}},
        {8, 1, {0, 1}},
        {12, 3, {0, 1, 2, 3}},
        {2, std::nullopt, {0, 1, 2, 3}},
    };
    for (const auto& c : cases) {
        std::vector<size_t> asked;
        const auto partner = partnerSheet(c.size, sizes.size(), [&](size_t position) {
            asked.push_back(position);
            return sizes[position];
        });
        EXPECT_EQ(partner, c.partner) << "size " << c.size;
        EXPECT_EQ(asked, c.asked) << "size " << c.size << ": the template sizes asked";
    }
}

}  // namespace
}  // namespace korvane
