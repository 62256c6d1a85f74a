#include "model/FileStore.h"

#include <fstream>
#include <iterator>

#include "automation/TextConvert.h"
#include "model/FilePath.h"

namespace edgesim {

std::optional<std::wstring> FileStore::read(std::wstring_view path) {
    if (path.empty()) return std::nullopt;
    std::ifstream in(toFilePath(path), std::ios::binary);
    if (!in) return std::nullopt;
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return std::nullopt;
    return korvane::fromUtf8(bytes);
}

bool FileStore::write(std::wstring_view path, std::wstring_view text) {
    if (path.empty()) return false;
    std::ofstream out(toFilePath(path), std::ios::binary | std::ios::trunc);
    if (!out) return false;
    std::string bytes = korvane::toUtf8(text);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return !out.fail();
}

}  // namespace edgesim
