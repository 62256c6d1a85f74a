#include "batch/WorkPart.h"

#include "automation/TextConvert.h"

namespace korvane {

namespace {

// A whole number of at most four digits, above 0.
std::optional<uint32_t> smallNumber(std::wstring_view text) {
    if (text.empty() || text.size() > 4) return std::nullopt;
    uint32_t value = 0;
    for (const wchar_t c : text) {
        if (c < L'0' || c > L'9') return std::nullopt;
        value = value * 10 + static_cast<uint32_t>(c - L'0');
    }
    if (value == 0) return std::nullopt;
    return value;
}

}  // namespace

uint64_t fnv1a64(std::string_view bytes) {
    uint64_t hash = 14695981039346656037ull;
    for (const char c : bytes) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ull;
    }
    return hash;
}

uint64_t mixed(uint64_t hash) {
    hash ^= hash >> 33;
    hash *= 0xff51afd7ed558ccdull;
    hash ^= hash >> 33;
    hash *= 0xc4ceb9fe1a85ec53ull;
    hash ^= hash >> 33;
    return hash;
}

uint32_t partOf(const std::wstring& key, uint32_t count) {
    if (count <= 1) return 1;
    return static_cast<uint32_t>(mixed(fnv1a64(toUtf8(key))) % count) + 1;
}

bool WorkPart::takes(const std::wstring& key) const { return partOf(key, count) == number; }

std::wstring WorkPart::text() const { return std::to_wstring(number) + L'/' + std::to_wstring(count); }

std::wstring WorkPart::name() const {
    return L"Teil " + std::to_wstring(number) + L" von " + std::to_wstring(count);
}

std::optional<WorkPart> parseWorkPart(const std::wstring& text) {
    const size_t slash = text.find(L'/');
    if (slash == std::wstring::npos) return std::nullopt;
    const auto number = smallNumber(std::wstring_view(text).substr(0, slash));
    const auto count = smallNumber(std::wstring_view(text).substr(slash + 1));
    if (!number || !count || *number > *count || *count > kMostParts) return std::nullopt;
    return WorkPart{*number, *count};
}

}  // namespace korvane
