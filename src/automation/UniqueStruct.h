#pragma once
// Sole owner of a structure of a C interface that holds resources of its own (a VARIANT, an
// EXCEPINFO): Init puts it in its empty state, Close releases what it holds. The counterpart of
// UniqueResource for values that are structures rather than handles, as the Windows Implementation
// Library pairs unique_struct with unique_any.
#include <utility>

namespace korvane {

template <class T, auto Close, auto Init>
class UniqueStruct {
public:
    UniqueStruct() noexcept { Init(&value_); }
    ~UniqueStruct() { static_cast<void>(Close(&value_)); }
    UniqueStruct(UniqueStruct&& other) noexcept : value_(other.release()) {}
    UniqueStruct& operator=(UniqueStruct&& other) noexcept {
        if (this != &other) {
            static_cast<void>(Close(&value_));
            value_ = other.release();
        }
        return *this;
    }
    UniqueStruct(const UniqueStruct&) = delete;
    UniqueStruct& operator=(const UniqueStruct&) = delete;

    T* get() noexcept { return &value_; }
    const T* get() const noexcept { return &value_; }
    T* operator->() noexcept { return &value_; }
    const T* operator->() const noexcept { return &value_; }
    // The address for an out parameter; whatever was held is released first.
    T* put() noexcept {
        static_cast<void>(Close(&value_));
        Init(&value_);
        return &value_;
    }
    // Hands the structure with what it holds to the caller, who must release it; this one is empty.
    [[nodiscard]] T release() noexcept {
        T out = value_;
        Init(&value_);
        return out;
    }

private:
    T value_;
};

}  // namespace korvane
