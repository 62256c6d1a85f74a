#pragma once
// Asks the watching shell script for a screenshot: FOLDER\NAME.request appears, the script takes the
// picture of the screen and answers with FOLDER\NAME.done (the UI driver's protocol).
#include <string>

namespace harness {

class ScreenshotRequest {
public:
    explicit ScreenshotRequest(std::wstring folder) : folder_(std::move(folder)) {}
    bool wanted() const { return !folder_.empty(); }
    // True when the picture was taken within the bound.
    bool take(const std::wstring& name, unsigned boundMs) const;

private:
    std::wstring folder_;
};

}  // namespace harness
