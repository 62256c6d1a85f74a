#pragma once
// Common ground of the drawing tests: the CAD tests' drive table and application, plus the
// application's invokes in the form of its call log.
#include <string>
#include <string_view>
#include <vector>

#include "cad/CadFixture.h"

namespace korvane::test {

class DrawingFixture : public CadFixture {
protected:
    // Invokes in order as their log lines without sequence number and outcome,
    // "<object> <kind> <id> <member>(<arguments>)"; look-ups, enumerations and bindings left out.
    std::vector<std::wstring> invokes() const {
        std::vector<std::wstring> out;
        for (const auto& c : sim().calls()) {
            if (c.kind != edgesim::CallKind::Get && c.kind != edgesim::CallKind::Put &&
                c.kind != edgesim::CallKind::Call)
                continue;
            const std::wstring line = c.text();
            const size_t from = line.find(L' ') + 1;
            out.push_back(line.substr(from, line.rfind(L" -> ") - from));
        }
        return out;
    }
    size_t countInvokes(std::wstring_view fragment) const {
        size_t n = 0;
        for (const auto& line : invokes()) n += line.find(fragment) != std::wstring::npos ? 1u : 0u;
        return n;
    }
};

}  // namespace korvane::test
