#pragma once
// The company templates both programs exchange from: the fixed folder on the file server, the file of
// each choice, and whether both are there.
#include <cstdint>
#include <string>

#include "files/clsFileString.h"

namespace korvane {

// The template directory: two backslashes, the file server's name, "\daten\Admin\Vorlagen\SeV12\".
std::wstring templateDirectory();

// The template file of a choice of the dialog (1 "eng.chin.Normal", any other "Normal"), in the
// template directory.
std::wstring templateFile(int32_t choice);

// Whether both template files are there; the second is not looked for when the first is missing.
bool templatesPresent(clsFileString& files);

}  // namespace korvane
