#pragma once
// Sole owner of one resource of a C interface (a kernel handle, a string, a search): the function
// that releases it is part of the type, as with the Windows Implementation Library's unique_any, so
// that every such owner is this one class instead of a hand-written class per kind.
//
//     using UniqueHandle = UniqueResource<HANDLE, &::CloseHandle, NullOrAllOnesEmpty<HANDLE>>;
//
// Empty describes the values that hold nothing: value() is the one an empty owner keeps, and
// holdsNothing(v) is true for every value the interface returns for "none" (an owner given such a value
// stays empty and never calls Close). The default is the value-initialised T (null).
#include <cstdint>
#include <utility>

namespace korvane {

template <class T>
struct ValueInitialisedEmpty {
    static constexpr T value() noexcept { return T{}; }
    static constexpr bool holdsNothing(const T& v) noexcept { return v == T{}; }
};

// For handles of interfaces that say "none" with null or with all bits set (the kernel's
// INVALID_HANDLE_VALUE); an empty owner keeps null.
template <class T>
struct NullOrAllOnesEmpty {
    static constexpr T value() noexcept { return T{}; }
    static bool holdsNothing(const T& v) noexcept {
        return v == T{} || reinterpret_cast<std::uintptr_t>(v) == ~std::uintptr_t{0};
    }
};

// For numbers of interfaces that say "none" with a negative one (POSIX file descriptors); an empty
// owner keeps -1.
template <class T>
struct NegativeEmpty {
    static constexpr T value() noexcept { return T{-1}; }
    static constexpr bool holdsNothing(const T& v) noexcept { return v < T{}; }
};

template <class T, auto Close, class Empty = ValueInitialisedEmpty<T>>
class UniqueResource {
public:
    UniqueResource() noexcept = default;
    // Takes over a resource the caller owns.
    explicit UniqueResource(T value) noexcept : value_(Empty::holdsNothing(value) ? Empty::value() : value) {}
    ~UniqueResource() { reset(); }
    UniqueResource(UniqueResource&& other) noexcept : value_(other.release()) {}
    UniqueResource& operator=(UniqueResource&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    UniqueResource(const UniqueResource&) = delete;
    UniqueResource& operator=(const UniqueResource&) = delete;

    explicit operator bool() const noexcept { return !Empty::holdsNothing(value_); }
    const T& get() const noexcept { return value_; }
    // Releases what is held and takes over the given resource (nothing by default).
    void reset(T value = Empty::value()) noexcept {
        T old = std::exchange(value_, Empty::holdsNothing(value) ? Empty::value() : value);
        if (!Empty::holdsNothing(old)) static_cast<void>(Close(old));
    }
    // The address for an out parameter; whatever was held is released first.
    T* put() noexcept {
        reset();
        return &value_;
    }
    // The address for an in-out parameter: the value stays, the callee may replace it (and then owns
    // the replaced one).
    T* address() noexcept { return &value_; }
    // Hands the resource to the caller, who must release it.
    [[nodiscard]] T release() noexcept { return std::exchange(value_, Empty::value()); }

private:
    T value_ = Empty::value();
};

}  // namespace korvane
