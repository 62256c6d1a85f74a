#pragma once
// The tagged value of automation calls. Conversions follow the runtime's rules:
// Boolean True is -1, numbers round half to even into integers, text parses as a number,
// a wrong kind raises 13 and a value out of range raises 6.
#include <cstdint>
#include <memory>
#include <string>
#include <variant>

namespace korvane {

class Dispatch;
using DispatchPtr = std::shared_ptr<Dispatch>;

enum class VarType { Empty, Missing, Bool, I2, I4, R8, Date, Text, Object, TextRef };

// The automation date: days since 30 December 1899, fraction = time of day.
struct AutomationDate {
    double value = 0.0;
    friend bool operator==(const AutomationDate&, const AutomationDate&) = default;
};

class Variant {
public:
    Variant() = default;  // Empty
    Variant(std::wstring text) : value_(std::move(text)) {}
    Variant(const wchar_t* text) : value_(std::wstring(text)) {}
    Variant(DispatchPtr object) : value_(ObjectRef{std::move(object)}) {}
    Variant(AutomationDate date) : value_(date) {}

    static Variant missing() { Variant v; v.value_ = Missing{}; return v; }
    static Variant boolean(bool b) { Variant v; v.value_ = Bool{b}; return v; }
    static Variant i2(int16_t n) { Variant v; v.value_ = n; return v; }
    static Variant i4(int32_t n) { Variant v; v.value_ = n; return v; }
    static Variant r8(double d) { Variant v; v.value_ = d; return v; }
    static Variant nothing() { return Variant(DispatchPtr{}); }
    // A text argument passed by reference: the callee may change the caller's text.
    static Variant textRef(std::wstring& text) { Variant v; v.value_ = TextByRef{&text}; return v; }

    VarType type() const noexcept { return static_cast<VarType>(value_.index()); }
    bool isEmpty() const noexcept { return type() == VarType::Empty; }
    bool isMissing() const noexcept { return type() == VarType::Missing; }
    bool isObject() const noexcept { return type() == VarType::Object; }
    bool isNothing() const noexcept;

    // Runtime conversions (CBool, CInt, CLng, CDbl, CStr, object assignment).
    bool toBool() const;
    int16_t toInteger() const;
    int32_t toLong() const;
    double toDouble() const;
    std::wstring toText() const;
    AutomationDate toDate() const;
    DispatchPtr toObject() const;  // Nothing gives an empty pointer; a non-object raises 13
    std::wstring* textRef() const;  // the caller's text of a by-reference argument, else null

    // Strict equality of kind and value (objects by identity); for tests and logs.
    friend bool operator==(const Variant& a, const Variant& b);

    // A short rendering of kind and value for call logs: I4 10211, Text "x", Bool True, Object, Nothing...
    std::wstring describe() const;

private:
    struct Missing { bool operator==(const Missing&) const = default; };
    struct Bool { bool value; bool operator==(const Bool&) const = default; };
    struct ObjectRef { DispatchPtr ptr; bool operator==(const ObjectRef&) const = default; };
    struct TextByRef { std::wstring* ptr; bool operator==(const TextByRef&) const = default; };

    std::variant<std::monostate, Missing, Bool, int16_t, int32_t, double, AutomationDate, std::wstring,
                 ObjectRef, TextByRef>
        value_;
};

// Parses a whole number written in decimal digits with blanks around it allowed (CLng of a text).
// Raises 13 when the text is no number and 6 when it does not fit 32 bits.
int32_t parseLong(std::wstring_view text);

}  // namespace korvane
