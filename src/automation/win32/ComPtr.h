#pragma once
// Owning reference to a COM interface: AddRef on copy, Release on destruction. The only place
// of the program that calls Release on an interface pointer it holds.
#include <windows.h>
#include <unknwn.h>

#include <cstddef>
#include <utility>

namespace korvane::com {

template <class T>
class ComPtr {
public:
    ComPtr() noexcept = default;
    ComPtr(std::nullptr_t) noexcept {}
    ComPtr(const ComPtr& other) noexcept : p_(other.p_) { addRef(); }
    ComPtr(ComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
    ~ComPtr() { release(); }

    ComPtr& operator=(const ComPtr& other) noexcept {
        if (this != &other) {
            ComPtr copy(other);
            swap(copy);
        }
        return *this;
    }
    ComPtr& operator=(ComPtr&& other) noexcept {
        if (this != &other) {
            release();
            p_ = std::exchange(other.p_, nullptr);
        }
        return *this;
    }

    // Shares a reference the caller keeps: the pointer gets its own AddRef.
    static ComPtr share(T* p) noexcept {
        ComPtr r;
        r.p_ = p;
        r.addRef();
        return r;
    }
    // Takes over a reference the caller already owns (a fresh object, an out parameter).
    static ComPtr adopt(T* p) noexcept {
        ComPtr r;
        r.p_ = p;
        return r;
    }

    T* get() const noexcept { return p_; }
    T* operator->() const noexcept { return p_; }
    explicit operator bool() const noexcept { return p_ != nullptr; }

    // The address for an out parameter; whatever was held is released first.
    T** put() noexcept {
        release();
        return &p_;
    }
    void** putVoid() noexcept { return reinterpret_cast<void**>(put()); }

    // Hands the reference to the caller (for out parameters of COM methods).
    [[nodiscard]] T* detach() noexcept { return std::exchange(p_, nullptr); }
    void reset() noexcept { release(); }
    void swap(ComPtr& other) noexcept { std::swap(p_, other.p_); }

    // QueryInterface; an empty pointer when the object does not offer the interface.
    template <class U>
    ComPtr<U> query() const noexcept {
        ComPtr<U> r;
        if (p_) p_->QueryInterface(__uuidof(U), r.putVoid());
        return r;
    }

    friend bool operator==(const ComPtr& a, const ComPtr& b) noexcept { return a.p_ == b.p_; }

private:
    void addRef() noexcept {
        if (p_) p_->AddRef();
    }
    void release() noexcept {
        if (T* p = std::exchange(p_, nullptr)) p->Release();
    }

    T* p_ = nullptr;
};

}  // namespace korvane::com
