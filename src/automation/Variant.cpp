#include "automation/Variant.h"

#include <cmath>
#include <cstdio>
#include <limits>

#include "automation/AutomationError.h"

namespace korvane {

namespace {

bool isBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

double parseNumber(std::wstring_view text) {
    size_t b = 0, e = text.size();
    while (b < e && isBlank(text[b])) ++b;
    while (e > b && isBlank(text[e - 1])) --e;
    std::wstring_view t = text.substr(b, e - b);
    if (t.empty()) raiseRuntimeError(rt::TypeMismatch);
    size_t i = 0;
    bool negative = false;
    if (t[i] == L'+' || t[i] == L'-') { negative = t[i] == L'-'; ++i; }
    double value = 0;
    bool digits = false;
    for (; i < t.size() && t[i] >= L'0' && t[i] <= L'9'; ++i) { value = value * 10 + (t[i] - L'0'); digits = true; }
    if (i < t.size() && (t[i] == L'.' || t[i] == L',')) {
        ++i;
        double scale = 0.1;
        for (; i < t.size() && t[i] >= L'0' && t[i] <= L'9'; ++i) { value += (t[i] - L'0') * scale; scale /= 10; digits = true; }
    }
    if (!digits || i != t.size()) raiseRuntimeError(rt::TypeMismatch);
    return negative ? -value : value;
}

// Round half to even, as the runtime does when it turns a number into an integer.
double bankersRound(double d) {
    double r = std::nearbyint(d);  // default rounding mode is to nearest, ties to even
    return r;
}

int32_t toInt32Checked(double d) {
    if (std::isnan(d)) raiseRuntimeError(rt::Overflow);
    double r = bankersRound(d);
    if (r < static_cast<double>(std::numeric_limits<int32_t>::min()) ||
        r > static_cast<double>(std::numeric_limits<int32_t>::max()))
        raiseRuntimeError(rt::Overflow);
    return static_cast<int32_t>(r);
}

std::wstring formatDouble(double d) {
    if (d == std::floor(d) && std::fabs(d) < 1e15) {
        return std::to_wstring(static_cast<long long>(d));
    }
    char buf[64];
    for (int precision = 1; precision <= 17; ++precision) {
        std::snprintf(buf, sizeof buf, "%.*g", precision, d);
        if (std::strtod(buf, nullptr) == d) break;
    }
    std::wstring out;
    for (const char* p = buf; *p; ++p) out.push_back(static_cast<wchar_t>(*p));
    return out;
}

// Civil date from the automation date, for CStr of a date: "dd.mm.yyyy hh:mm:ss".
std::wstring formatDate(double serial) {
    auto days = static_cast<long long>(std::floor(serial));
    double frac = serial - static_cast<double>(days);
    // days since 1899-12-30 -> days since 1970-01-01
    long long z = days - 25569 + 719468;
    long long era = (z >= 0 ? z : z - 146096) / 146097;
    long long doe = z - era * 146097;
    long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    long long y = yoe + era * 400;
    long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    long long mp = (5 * doy + 2) / 153;
    long long d = doy - (153 * mp + 2) / 5 + 1;
    long long m = mp < 10 ? mp + 3 : mp - 9;
    if (m <= 2) ++y;
    auto secs = static_cast<long long>(std::llround(frac * 86400.0));
    wchar_t buf[64];
    std::swprintf(buf, 64, L"%02lld.%02lld.%04lld %02lld:%02lld:%02lld", d, m, y, secs / 3600, (secs / 60) % 60,
                  secs % 60);
    return buf;
}

}  // namespace

int32_t parseLong(std::wstring_view text) { return toInt32Checked(parseNumber(text)); }

bool Variant::isNothing() const noexcept {
    auto* o = std::get_if<ObjectRef>(&value_);
    return o != nullptr && o->ptr == nullptr;
}

double Variant::toDouble() const {
    switch (type()) {
    case VarType::Empty: return 0.0;
    case VarType::Bool: return std::get<Bool>(value_).value ? -1.0 : 0.0;
    case VarType::I2: return std::get<int16_t>(value_);
    case VarType::I4: return std::get<int32_t>(value_);
    case VarType::R8: return std::get<double>(value_);
    case VarType::Date: return std::get<AutomationDate>(value_).value;
    case VarType::Text: return parseNumber(std::get<std::wstring>(value_));
    case VarType::TextRef: return parseNumber(*std::get<TextByRef>(value_).ptr);
    default: raiseRuntimeError(rt::TypeMismatch);
    }
}

int32_t Variant::toLong() const {
    switch (type()) {
    case VarType::I2: return std::get<int16_t>(value_);
    case VarType::I4: return std::get<int32_t>(value_);
    default: return toInt32Checked(toDouble());
    }
}

int16_t Variant::toInteger() const {
    int32_t n = toLong();
    if (n < std::numeric_limits<int16_t>::min() || n > std::numeric_limits<int16_t>::max())
        raiseRuntimeError(rt::Overflow);
    return static_cast<int16_t>(n);
}

bool Variant::toBool() const {
    switch (type()) {
    case VarType::Bool: return std::get<Bool>(value_).value;
    case VarType::Text:
    case VarType::TextRef: {
        std::wstring t = toText();
        if (t == L"True" || t == L"Wahr" || t == L"true" || t == L"wahr") return true;
        if (t == L"False" || t == L"Falsch" || t == L"false" || t == L"falsch") return false;
        return toDouble() != 0.0;
    }
    default: return toDouble() != 0.0;
    }
}

std::wstring Variant::toText() const {
    switch (type()) {
    case VarType::Empty: return {};
    case VarType::Bool: return std::get<Bool>(value_).value ? L"Wahr" : L"Falsch";
    case VarType::I2: return std::to_wstring(std::get<int16_t>(value_));
    case VarType::I4: return std::to_wstring(std::get<int32_t>(value_));
    case VarType::R8: return formatDouble(std::get<double>(value_));
    case VarType::Date: return formatDate(std::get<AutomationDate>(value_).value);
    case VarType::Text: return std::get<std::wstring>(value_);
    case VarType::TextRef: return *std::get<TextByRef>(value_).ptr;
    default: raiseRuntimeError(rt::TypeMismatch);
    }
}

AutomationDate Variant::toDate() const {
    if (auto* d = std::get_if<AutomationDate>(&value_)) return *d;
    if (type() == VarType::Text || type() == VarType::TextRef) raiseRuntimeError(rt::TypeMismatch);
    return AutomationDate{toDouble()};
}

DispatchPtr Variant::toObject() const {
    if (auto* o = std::get_if<ObjectRef>(&value_)) return o->ptr;
    raiseRuntimeError(rt::TypeMismatch);
}

std::wstring* Variant::textRef() const {
    if (auto* r = std::get_if<TextByRef>(&value_)) return r->ptr;
    return nullptr;
}

bool operator==(const Variant& a, const Variant& b) { return a.value_ == b.value_; }

std::wstring Variant::describe() const {
    switch (type()) {
    case VarType::Empty: return L"Empty";
    case VarType::Missing: return L"Missing";
    case VarType::Bool: return std::get<Bool>(value_).value ? L"Bool True" : L"Bool False";
    case VarType::I2: return L"I2 " + toText();
    case VarType::I4: return L"I4 " + toText();
    case VarType::R8: return L"R8 " + toText();
    case VarType::Date: return L"Date " + formatDouble(std::get<AutomationDate>(value_).value);
    case VarType::Text: return L"Text \"" + std::get<std::wstring>(value_) + L"\"";
    case VarType::TextRef: return L"TextRef \"" + *std::get<TextByRef>(value_).ptr + L"\"";
    case VarType::Object: return isNothing() ? L"Nothing" : L"Object";
    }
    return L"?";
}

}  // namespace korvane
