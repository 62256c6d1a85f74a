#pragma once
// The automation port: an object whose members are invoked by dispatch id or by name,
// as property read, property write or method call, and which may be walked as a collection.
// The Windows build implements it over IDispatch; EdgeSim implements it in process.
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "automation/Variant.h"

namespace korvane {

using DispId = int32_t;

enum class InvokeKind { Method, PropertyGet, PropertyPut };

class Enumerator {
public:
    virtual ~Enumerator() = default;
    // The next item of the collection; false at the end.
    virtual bool next(Variant& item) = 0;
};

class Dispatch {
public:
    virtual ~Dispatch() = default;
    // Arguments in the order of the member's declaration (first argument first).
    // A property write passes the new value as the last argument.
    virtual Variant invoke(DispId id, InvokeKind kind, std::vector<Variant>& args) = 0;
    // Raises 438 when the object has no member of that name.
    virtual DispId idOfName(std::wstring_view name) = 0;
    // Raises 438 when the object is no collection.
    virtual std::unique_ptr<Enumerator> enumerate() = 0;
};

// An object variable: a reference to an automation object, or Nothing.
// Every member call through Nothing raises 91.
class Object {
public:
    Object() = default;
    Object(DispatchPtr p) : ptr_(std::move(p)) {}
    // Takes the object reference held by a variant (13 when it holds none).
    static Object from(const Variant& v) { return Object(v.toObject()); }

    bool isNothing() const noexcept { return ptr_ == nullptr; }
    explicit operator bool() const noexcept { return ptr_ != nullptr; }
    const DispatchPtr& ptr() const noexcept { return ptr_; }
    void reset() noexcept { ptr_.reset(); }
    friend bool operator==(const Object& a, const Object& b) { return a.ptr_ == b.ptr_; }

    Variant get(DispId id, std::vector<Variant> args = {}) const;
    Variant get(std::wstring_view name, std::vector<Variant> args = {}) const;
    void put(DispId id, Variant value) const;
    void put(std::wstring_view name, Variant value) const;
    Variant call(DispId id, std::vector<Variant> args = {}) const;
    Variant call(std::wstring_view name, std::vector<Variant> args = {}) const;
    // The same calls when the member's result is an object.
    Object getObject(DispId id, std::vector<Variant> args = {}) const { return from(get(id, std::move(args))); }
    Object getObject(std::wstring_view name, std::vector<Variant> args = {}) const {
        return from(get(name, std::move(args)));
    }
    Object callObject(DispId id, std::vector<Variant> args = {}) const { return from(call(id, std::move(args))); }
    // Walks the collection with its enumerator; the items as the collection gives them.
    std::vector<Variant> items() const;

private:
    Dispatch& target() const;
    DispatchPtr ptr_;
};

}  // namespace korvane
