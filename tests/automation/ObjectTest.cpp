#include <gtest/gtest.h>

#include "TestSupport.h"
#include "automation/AutomationError.h"
#include "automation/Dispatch.h"
#include "automation/ErrorPolicy.h"

using namespace korvane;
using korvane::test::errorOf;

// Calls by id and by name and walking collections are exercised through the simulated application in
// every suite that uses it; a call through Nothing is not.
TEST(Object, EveryCallThroughNothingRaises91) {
    Object nothing;
    EXPECT_EQ(errorOf([&] { nothing.get(2); }), rt::ObjectNotSet);
    EXPECT_EQ(errorOf([&] { nothing.put(29, Variant::boolean(false)); }), rt::ObjectNotSet);
    EXPECT_EQ(errorOf([&] { nothing.call(L"Close"); }), rt::ObjectNotSet);
    EXPECT_EQ(errorOf([&] { nothing.items(); }), rt::ObjectNotSet);
}

TEST(ErrorPolicy, RecordAndSkipKeepsTheLastError) {
    ErrorRecord record;
    int ran = 0;
    record.attempt([] { raiseRuntimeError(5); });
    record.attempt([&] { ++ran; });
    record.attempt([] { raiseRuntimeError(91); });
    EXPECT_EQ(ran, 1);
    ASSERT_TRUE(record.failed());
    EXPECT_EQ(record.last()->number(), 91);
    record.clear();
    EXPECT_FALSE(record.failed());
    EXPECT_EQ(swallow(std::wstring(L"neutral"), []() -> std::wstring { raiseRuntimeError(13); }), L"neutral");
}
