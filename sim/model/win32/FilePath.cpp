#include "model/FilePath.h"

#include <string>

namespace edgesim {

std::filesystem::path toFilePath(std::wstring_view text) { return std::filesystem::path(std::wstring(text)); }

}  // namespace edgesim
