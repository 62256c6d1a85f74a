#pragma once
// A file-system path from a program text: wide on Windows (UNC paths included), UTF-8 bytes elsewhere.
#include <filesystem>
#include <string_view>

namespace edgesim {

std::filesystem::path toFilePath(std::wstring_view text);

}  // namespace edgesim
