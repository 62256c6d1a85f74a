// The box text of an error that ends a run, which korvane.exe shows and the batch writes alike.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "automation/AutomationError.h"
#include "drawing/Messages.h"

namespace korvane {
namespace {

TEST(ErrorReport, ShowsNumberAndDescriptionAndTheHexFormOfHresults) {
    const struct {
        int32_t number;
        std::wstring description;
        std::wstring expected;
    } cases[] = {
        {91, L"Objektvariable nicht festgelegt", L"Laufzeitfehler '91':\r\n\r\nObjektvariable nicht festgelegt"},
        {static_cast<int32_t>(0x80010001u), L"Aufruf abgelehnt",
         L"Laufzeitfehler '-2147418111 (80010001)':\r\n\r\nAufruf abgelehnt"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(errorReport(AutomationError(c.number, c.description)), c.expected) << c.number;
    }
}

}  // namespace
}  // namespace korvane
