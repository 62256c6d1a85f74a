#pragma once
// Walks a collection whose items were all taken at the start, so changes to the collection while it is
// walked do not disturb the walk.
#include <cstddef>
#include <utility>
#include <vector>

#include "automation/Dispatch.h"

namespace korvane {

class ListEnumerator : public Enumerator {
public:
    explicit ListEnumerator(std::vector<Variant> items) : items_(std::move(items)) {}
    bool next(Variant& item) override;

private:
    std::vector<Variant> items_;
    size_t position_ = 0;
};

}  // namespace korvane
