#pragma once
// The ordered, 1-based collection of texts that the listings return and take as their filter.
#include <cstdint>
#include <string>
#include <vector>

#include "automation/AutomationError.h"

namespace korvane {

class Collection {
public:
    Collection() = default;
    Collection(std::initializer_list<std::wstring> items) : items_(items) {}

    int32_t Count() const noexcept { return static_cast<int32_t>(items_.size()); }
    // Position from 1; raises 9 outside 1..Count.
    const std::wstring& Item(int32_t position) const {
        if (position < 1 || position > Count()) raiseRuntimeError(rt::SubscriptOutOfRange);
        return items_[static_cast<size_t>(position - 1)];
    }
    void Add(std::wstring item) { items_.push_back(std::move(item)); }

    const std::vector<std::wstring>& items() const noexcept { return items_; }
    auto begin() const noexcept { return items_.begin(); }
    auto end() const noexcept { return items_.end(); }

private:
    std::vector<std::wstring> items_;
};

}  // namespace korvane
