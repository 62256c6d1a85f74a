#pragma once
// One entry of the application's call log.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "automation/Dispatch.h"

namespace edgesim {

enum class CallKind { Get, Put, Call, Enumerate, Lookup, Bind };

struct CallRecord {
    size_t sequence = 0;        // position in the log, from 1
    std::wstring object;        // readable identity: Application, Document(C:\a.dft), Sheet(a.dft/Blatt1) ...
    std::wstring objectKind;    // Application, Documents, Document, Sheet ...
    korvane::DispId id = 0;     // the member's dispatch id (the id a look-up answered)
    std::wstring member;        // the member's name ("" for an id the object does not know)
    CallKind kind = CallKind::Call;
    std::vector<std::wstring> arguments;  // Variant::describe() of each argument, first first
    bool ok = true;
    int32_t error = 0;          // the error number when !ok
    std::wstring errorText;     // the error description when !ok

    // One line: "#7 Application call 79 StartCommand(I4 10211) -> ok".
    std::wstring text() const;
};

const wchar_t* callKindName(CallKind kind);

}  // namespace edgesim
