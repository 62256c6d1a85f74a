#include "model/FilePath.h"

#include "automation/TextConvert.h"

namespace edgesim {

std::filesystem::path toFilePath(std::wstring_view text) { return std::filesystem::path(korvane::toUtf8(text)); }

}  // namespace edgesim
