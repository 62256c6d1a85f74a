#include <gtest/gtest.h>

#include <limits>

#include "TestSupport.h"
#include "automation/AutomationError.h"
#include "automation/Variant.h"

using namespace korvane;
using korvane::test::errorOf;

namespace {

struct LongCase {
    const char* name;
    Variant in;
    int32_t expected;  // result, or the raised error number when raises is set
    bool raises;
};

template <size_t N, class Convert>
void expectConversions(const LongCase (&cases)[N], Convert convert) {
    for (const auto& c : cases) {
        int32_t got = 0;
        const int32_t err = errorOf([&] { got = convert(c.in); });
        if (c.raises) {
            EXPECT_EQ(err, c.expected) << c.name << ": returned " << got;
        } else {
            EXPECT_EQ(err, 0) << c.name;
            EXPECT_EQ(got, c.expected) << c.name;
        }
    }
}

}  // namespace

TEST(Variant, ToLongFollowsRuntimeRules) {
    const LongCase cases[] = {
        {"empty is 0", Variant(), 0, false},
        {"True is -1", Variant::boolean(true), -1, false},
        {"False is 0", Variant::boolean(false), 0, false},
        {"16-bit widens with sign", Variant::i2(-7), -7, false},
        {"half rounds to even down", Variant::r8(2.5), 2, false},
        {"half rounds to even up", Variant::r8(3.5), 4, false},
        {"text with blanks", Variant(L"  42 "), 42, false},
        {"negative text", Variant(L"-12"), -12, false},
        {"text not a number", Variant(L"12a"), rt::TypeMismatch, true},
        {"empty text", Variant(L""), rt::TypeMismatch, true},
        {"largest", Variant(L"2147483647"), 2147483647, false},
        {"too large", Variant(L"2147483648"), rt::Overflow, true},
        {"smallest", Variant::r8(-2147483648.0), std::numeric_limits<int32_t>::min(), false},
        {"too small", Variant::r8(-2147483649.0), rt::Overflow, true},
        {"rounds up past the largest", Variant::r8(2147483647.5), rt::Overflow, true},
        {"object", Variant::nothing(), rt::TypeMismatch, true},
    };
    expectConversions(cases, [](const Variant& v) { return v.toLong(); });
}

TEST(Variant, ToTextAndBack) {
    EXPECT_EQ(Variant().toText(), L"");
    EXPECT_EQ(Variant::i4(10211).toText(), L"10211");
    EXPECT_EQ(Variant::r8(12.5).toText(), L"12.5");
    EXPECT_EQ(Variant::r8(3.0).toText(), L"3");
    EXPECT_EQ(Variant::boolean(true).toText(), L"Wahr");
    EXPECT_EQ(Variant(AutomationDate{45000.5}).toText(), L"15.03.2023 12:00:00");
    EXPECT_EQ(errorOf([] { (void)Variant::nothing().toText(); }), rt::TypeMismatch);
}

TEST(Variant, ToIntegerHoldsExactlyTheSixteenBitRange) {
    const LongCase cases[] = {
        {"largest", Variant::i4(32767), 32767, false},
        {"one past the largest", Variant::i4(32768), rt::Overflow, true},
        {"smallest", Variant::i4(-32768), -32768, false},
        {"one below the smallest", Variant::i4(-32769), rt::Overflow, true},
        {"text of the largest", Variant(L"32767"), 32767, false},
        {"rounds down to the largest", Variant::r8(32767.4), 32767, false},
        {"half rounds to even, past the largest", Variant::r8(32767.5), rt::Overflow, true},
    };
    expectConversions(cases, [](const Variant& v) -> int32_t { return v.toInteger(); });
}


TEST(Variant, ByReferenceTextIsTheCallersText) {
    std::wstring name = L"a.dft";
    Variant v = Variant::textRef(name);
    ASSERT_NE(v.textRef(), nullptr);
    *v.textRef() = L"b.dft";
    EXPECT_EQ(name, L"b.dft");
    EXPECT_EQ(v.toText(), L"b.dft");
    EXPECT_EQ(Variant(L"x").textRef(), nullptr);
}

TEST(Variant, BooleansNothingAndObjects) {
    EXPECT_TRUE(Variant(L"Wahr").toBool());
    EXPECT_FALSE(Variant(L"0").toBool());
    EXPECT_TRUE(Variant::i4(-1).toBool());
    EXPECT_TRUE(Variant::nothing().isNothing());
    EXPECT_FALSE(Variant().isNothing());
    EXPECT_EQ(Variant::nothing().toObject(), nullptr);
    EXPECT_EQ(errorOf([] { (void)Variant(L"x").toObject(); }), rt::TypeMismatch);
}
