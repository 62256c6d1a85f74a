#pragma once
// What the template form asks of the window that shows it.
#include <cstdint>

namespace korvane {

class TemplateDialogView {
public:
    virtual ~TemplateDialogView() = default;
    // Marks the option button of that index as the selected one of its group.
    virtual void selectOption(int16_t index) = 0;
    // Hides the window; a modal display ends with it.
    virtual void hide() = 0;

protected:
    TemplateDialogView() = default;
    TemplateDialogView(const TemplateDialogView&) = default;
    TemplateDialogView& operator=(const TemplateDialogView&) = default;
};

}  // namespace korvane
