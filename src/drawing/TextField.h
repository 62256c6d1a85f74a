#pragma once
// A text field of a form, as the title-block write and read operations see it.
#include <string>

namespace korvane {

class TextField {
public:
    virtual ~TextField() = default;
    virtual std::wstring text() const = 0;
    virtual void setText(const std::wstring& text) = 0;
};

}  // namespace korvane
