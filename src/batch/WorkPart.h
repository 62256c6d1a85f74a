#pragma once
// Teil K von N of the work, for N workstations over one archive. A drawing belongs to the part its
// identity key falls in: FNV-1a (64 bits) over the key's UTF-8, mixed by MurmurHash3's finishing step
// (FNV-1a's low bits follow the parity of the bytes: names that differ in one character would fall
// into one of two parts), modulo N, plus 1. The key is the
// canonical path with network drives replaced by their share, case folded, so every spelling of a
// drawing, on every machine that reaches the archive through the same share, lands in the same part,
// in every run. The file system's own file index is no key here: it differs between machines.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace korvane {

struct WorkPart {
    uint32_t number = 1;  // K, 1..count
    uint32_t count = 1;   // N

    bool whole() const { return count == 1; }
    // True when the drawing (or list entry) of this key is this part's.
    bool takes(const std::wstring& key) const;
    // "K/N", as the command line and the report write it.
    std::wstring text() const;
    // "Teil K von N", for messages and the default report name.
    std::wstring name() const;
    bool operator==(const WorkPart& other) const { return number == other.number && count == other.count; }
    bool operator!=(const WorkPart& other) const { return !(*this == other); }
};

// The part (1..count) of an identity key.
uint32_t partOf(const std::wstring& key, uint32_t count);

// "K/N" with 1 <= K <= N <= kMostParts, digits only; nothing for any other text.
std::optional<WorkPart> parseWorkPart(const std::wstring& text);
inline constexpr uint32_t kMostParts = 9999;

uint64_t fnv1a64(std::string_view bytes);
// MurmurHash3's 64-bit finishing step: every bit of the result depends on every bit of the hash.
uint64_t mixed(uint64_t hash);

}  // namespace korvane
