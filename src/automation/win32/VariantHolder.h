#pragma once
// Owning VARIANT: VariantInit on construction, VariantClear on destruction.
#include <windows.h>
#include <oleauto.h>

namespace korvane::com {

class VariantHolder {
public:
    VariantHolder() noexcept { VariantInit(&v_); }
    VariantHolder(VariantHolder&& other) noexcept : v_(other.v_) { VariantInit(&other.v_); }
    VariantHolder& operator=(VariantHolder&& other) noexcept {
        if (this != &other) {
            VariantClear(&v_);
            v_ = other.v_;
            VariantInit(&other.v_);
        }
        return *this;
    }
    VariantHolder(const VariantHolder&) = delete;
    VariantHolder& operator=(const VariantHolder&) = delete;
    ~VariantHolder() { VariantClear(&v_); }

    VARIANT* get() noexcept { return &v_; }
    const VARIANT* get() const noexcept { return &v_; }
    VARIANT* operator->() noexcept { return &v_; }
    const VARIANT* operator->() const noexcept { return &v_; }
    // The address for an out parameter; whatever was held is cleared first.
    VARIANT* put() noexcept {
        VariantClear(&v_);
        return &v_;
    }
    // Moves the value into a caller-owned VARIANT (which must be empty), leaving this one empty.
    void detachTo(VARIANT* out) noexcept {
        *out = v_;
        VariantInit(&v_);
    }

private:
    VARIANT v_;
};

}  // namespace korvane::com
