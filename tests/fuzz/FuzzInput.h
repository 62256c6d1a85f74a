#pragma once
// Turns fuzzer bytes into text: pairs of bytes as UTF-16 code units, so NULs, surrogates and every
// Latin-1 letter reach the functions under test.
#include <cstddef>
#include <cstdint>
#include <string>

inline std::wstring fuzzText(const uint8_t* data, size_t size) {
    std::wstring out;
    out.reserve(size / 2);
    for (size_t i = 0; i + 1 < size; i += 2)
        out.push_back(static_cast<wchar_t>(data[i] | (data[i + 1] << 8)));
    return out;
}

#define FUZZ_CHECK(cond)   \
    do {                   \
        if (!(cond)) __builtin_trap(); \
    } while (0)
