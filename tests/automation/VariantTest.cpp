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
        {"too large", Variant(L"2147483648"), rt::Overflow, true},
        {"double too large", Variant::r8(3e10), rt::Overflow, true},
        {"object", Variant::nothing(), rt::TypeMismatch, true},
        {"missing", Variant::missing(), rt::TypeMismatch, true},
    };
    for (const auto& c : cases) {
        int32_t got = 0;
        int32_t err = errorOf([&] { got = c.in.toLong(); });
        if (c.raises)
            EXPECT_EQ(err, c.expected) << c.name;
        else {
            EXPECT_EQ(err, 0) << c.name;
            EXPECT_EQ(got, c.expected) << c.name;
        }
    }
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

TEST(Variant, IntegerOverflowAndBoolean) {
    EXPECT_EQ(Variant::i4(2).toInteger(), 2);
    EXPECT_EQ(errorOf([] { (void)Variant::i4(40000).toInteger(); }), rt::Overflow);
    EXPECT_TRUE(Variant(L"Wahr").toBool());
    EXPECT_FALSE(Variant(L"0").toBool());
    EXPECT_TRUE(Variant::i4(-1).toBool());
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

TEST(Variant, NothingAndObjects) {
    EXPECT_TRUE(Variant::nothing().isNothing());
    EXPECT_FALSE(Variant().isNothing());
    EXPECT_EQ(Variant::nothing().toObject(), nullptr);
    EXPECT_EQ(errorOf([] { (void)Variant(L"x").toObject(); }), rt::TypeMismatch);
}

TEST(AutomationError, GermanDescriptions) {
    EXPECT_EQ(runtimeDescription(5), L"Ungültiger Prozeduraufruf oder ungültiges Argument");
    EXPECT_EQ(runtimeDescription(91), L"Objektvariable oder With-Blockvariable nicht festgelegt");
    EXPECT_EQ(runtimeDescription(53), L"Datei nicht gefunden");
    EXPECT_EQ(runtimeDescription(123456), L"Anwendungs- oder objektdefinierter Fehler");
    try {
        raiseRuntimeError(76);
    } catch (const AutomationError& e) {
        EXPECT_EQ(e.number(), 76);
        EXPECT_EQ(e.description(), L"Pfad nicht gefunden");
        EXPECT_STREQ(e.what(), "error 76: Pfad nicht gefunden");
    }
}
