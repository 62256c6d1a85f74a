#include <gtest/gtest.h>

#include "TestSupport.h"
#include "automation/AutomationError.h"
#include "automation/Dispatch.h"
#include "automation/ErrorPolicy.h"

using namespace korvane;
using korvane::test::errorOf;

namespace {

// A tiny automation object: member 1 holds a value, "Twice" doubles its argument, it walks as {1, 2}.
class Counter : public Dispatch {
public:
    Variant value = Variant::i4(0);
    Variant invoke(DispId id, InvokeKind kind, std::vector<Variant>& args) override {
        if (id == 1 && kind == InvokeKind::PropertyGet) return value;
        if (id == 1 && kind == InvokeKind::PropertyPut) { value = args.at(0); return {}; }
        if (id == 2 && kind == InvokeKind::Method) return Variant::i4(args.at(0).toLong() * 2);
        throw AutomationError(438, runtimeDescription(438));
    }
    DispId idOfName(std::wstring_view name) override {
        if (name == L"Value") return 1;
        if (name == L"Twice") return 2;
        raiseRuntimeError(rt::MemberNotSupported);
    }
    std::unique_ptr<Enumerator> enumerate() override {
        struct E : Enumerator {
            int n = 0;
            bool next(Variant& item) override {
                if (n == 2) return false;
                item = Variant::i4(++n);
                return true;
            }
        };
        return std::make_unique<E>();
    }
};

}  // namespace

TEST(Object, CallsByIdAndByName) {
    auto c = std::make_shared<Counter>();
    Object o(c);
    o.put(1, Variant::i4(21));
    EXPECT_EQ(o.get(L"Value").toLong(), 21);
    EXPECT_EQ(o.call(L"Twice", {Variant::i4(21)}).toLong(), 42);
    EXPECT_EQ(o.items().size(), 2u);
    EXPECT_EQ(errorOf([&] { o.call(L"Nope"); }), rt::MemberNotSupported);
}

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
