#pragma once
// A question the application asks about one file while it opens or saves it (a drawing of an older
// version, links it cannot find, a repair it offers). With alerts on it waits for somebody to answer;
// with alerts off it takes the default answer at once.
#include <string>

namespace edgesim {

struct DocumentPrompt {
    enum class At { Open, Save };
    At at = At::Open;
    std::wstring text;  // what the prompt says; may be empty
};

}  // namespace edgesim
