// The adapter both ways in one process: a ComDispatch caller talks to a DispatchServer that serves
// a Probe, so every value, error and object crosses IDispatch::Invoke as it would from another process.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestSupport.h"
#include "automation/TextConvert.h"
#include "automation/win32/Apartment.h"
#include "automation/win32/ComDispatch.h"
#include "comserver/ServerObjects.h"
#include "com/Probe.h"

using korvane::AutomationError;
using korvane::DispatchPtr;
using korvane::InvokeKind;
using korvane::Object;
using korvane::Variant;
using korvane::com::ComDispatch;
using korvane::com::ServerObjects;
using korvane::test::errorOf;
using probe::Probe;

namespace {

GUID freshGuid() {
    GUID g{};
    EXPECT_EQ(CoCreateGuid(&g), S_OK);
    return g;
}

IDispatch* comOf(const Object& o) { return static_cast<ComDispatch&>(*o.ptr()).get(); }

class ComAdapter : public ::testing::Test {
protected:
    void SetUp() override {
        ServerObjects::instance().setTypeIdentity([](korvane::Dispatch& d) -> std::optional<GUID> {
            auto* p = dynamic_cast<Probe*>(&d);
            return p ? p->type() : std::nullopt;
        });
        baseline_ = ServerObjects::instance().liveObjects();
    }
    void TearDown() override {
        EXPECT_EQ(ServerObjects::instance().liveObjects(), baseline_) << "served objects outlived their callers";
        ServerObjects::instance().setTypeIdentity(nullptr);
    }
    // A caller's object variable for a served probe.
    static Object served(const std::shared_ptr<Probe>& p) {
        return Object(std::make_shared<ComDispatch>(ServerObjects::instance().wrap(p)));
    }

    korvane::com::Apartment apartment_;
    std::shared_ptr<Probe> probe_ = std::make_shared<Probe>();
    size_t baseline_ = 0;
};

TEST_F(ComAdapter, ValuesSurviveTheRoundTrip) {
    Object o = served(probe_);
    const std::vector<Variant> values{
        Variant(),
        Variant::missing(),
        Variant::boolean(true),
        Variant::boolean(false),
        Variant::i2(-32768),
        Variant::i4(2147483647),
        Variant::r8(-0.125),
        Variant(korvane::AutomationDate{45292.75}),
        Variant(L""),
        Variant(L"Größe A3 – Blatt"),
        Variant(std::wstring(L"a\0b", 3)),
        Variant::nothing(),
    };
    for (const Variant& v : values) {
        Variant back = o.call(probe::Echo, {v});
        EXPECT_TRUE(back == v) << "sent " << korvane::toUtf8(v.describe()) << ", got back "
                               << korvane::toUtf8(back.describe());
    }
}

TEST_F(ComAdapter, EachAccessArrivesAsItsKindWithItsArguments) {
    Object o = served(probe_);
    struct Case {
        const char* what;
        void (*act)(const Object&);
        InvokeKind kind;
        size_t args;
    };
    const Case cases[] = {
        {"get by id", [](const Object& x) { x.get(probe::Name); }, InvokeKind::PropertyGet, 0},
        {"get by name", [](const Object& x) { x.get(L"Name"); }, InvokeKind::PropertyGet, 0},
        {"put by id", [](const Object& x) { x.put(probe::Name, Variant(L"v")); }, InvokeKind::PropertyPut, 1},
        {"put by name", [](const Object& x) { x.put(L"Name", Variant(L"v")); }, InvokeKind::PropertyPut, 1},
        {"call by id", [](const Object& x) { x.call(probe::ArgCount, {Variant::i4(1), Variant::i4(2)}); },
         InvokeKind::Method, 2},
        {"call by name", [](const Object& x) { x.call(L"ArgCount"); }, InvokeKind::Method, 0},
    };
    for (const Case& c : cases) {
        c.act(o);
        EXPECT_EQ(probe_->lastKind, c.kind) << c.what;
        EXPECT_EQ(probe_->lastArgs.size(), c.args) << c.what;
    }
}

TEST_F(ComAdapter, ArgumentsKeepTheirOrderAndAWrittenValueIsReadBack) {
    Object o = served(probe_);
    o.call(probe::ArgCount, {Variant::i4(1), Variant(L"zwei"), Variant::i2(3)});
    ASSERT_EQ(probe_->lastArgs.size(), 3u);
    EXPECT_TRUE(probe_->lastArgs[0] == Variant::i4(1));
    EXPECT_TRUE(probe_->lastArgs[1] == Variant(L"zwei"));
    EXPECT_TRUE(probe_->lastArgs[2] == Variant::i2(3));
    o.put(L"Name", Variant(L"Blatt 2"));
    EXPECT_EQ(o.get(probe::Name).toText(), L"Blatt 2");
}

TEST_F(ComAdapter, ArgumentsBuiltBeforeOneThatFailsAreReleased) {
    Object o = served(probe_);
    Object child = o.getObject(probe::Child);
    const unsigned long held = ServerObjects::instance().heldReferences();
    // A caller cannot pass an object of its own process: the third argument raises 13 after the first
    // two were converted, one of them holding a reference on the child.
    const auto local = std::make_shared<Probe>();
    EXPECT_EQ(errorOf([&] {
                  o.call(probe::ArgCount, {Variant(child.ptr()), Variant(L"zwei"), Variant(DispatchPtr(local))});
              }),
              13);
    EXPECT_EQ(ServerObjects::instance().heldReferences(), held) << "the first argument's reference leaked";
    EXPECT_EQ(probe_->lastKind, InvokeKind::PropertyGet) << "the call went out without all its arguments";
}

TEST_F(ComAdapter, TextByReferenceIsWrittenBackIntoTheCallersText) {
    Object o = served(probe_);
    for (std::wstring start : {std::wstring(), std::wstring(L"\\\\fileserver\\daten\\ä.dft")}) {
        std::wstring text = start;
        o.call(L"Append", {Variant::textRef(text)});
        EXPECT_EQ(text, start + L"!") << "started from \"" << korvane::toUtf8(start) << "\"";
    }
}

TEST_F(ComAdapter, ServerErrorsArriveWithNumberDescriptionAndSource) {
    Object o = served(probe_);
    struct Case {
        int32_t number;
        const wchar_t* description;
    };
    const Case cases[] = {
        {53, L"Datei nicht gefunden"},
        {1004, L"Blatt fehlt"},
        {static_cast<int32_t>(0x8001010Au), L"Anwendung ist beschäftigt"},  // a full HRESULT stays itself
        {static_cast<int32_t>(0x80004005u), L"Unbekannter Fehler"},
    };
    for (const Case& c : cases) {
        try {
            o.call(L"Fail", {Variant::i4(c.number), Variant(c.description)});
            ADD_FAILURE() << "no error for " << c.number;
        } catch (const AutomationError& e) {
            EXPECT_EQ(e.number(), c.number);
            EXPECT_EQ(e.description(), c.description) << "error " << c.number;
            EXPECT_EQ(e.source(), L"Probe") << "error " << c.number;
        }
    }
}

TEST_F(ComAdapter, AnyOtherExceptionStopsAtTheServersEdge) {
    Object o = served(probe_);
    EXPECT_EQ(errorOf([&] { o.call(L"Crash"); }), static_cast<int32_t>(E_UNEXPECTED));
    EXPECT_EQ(errorOf([&] { o.call(probe::ArgCount); }), 0) << "the server is still usable afterwards";
}

TEST_F(ComAdapter, UnknownNamesAndNothingRaiseTheRuntimeErrors) {
    Object o = served(probe_);
    try {
        o.get(L"Gibtsnicht");
        ADD_FAILURE() << "unknown member accepted";
    } catch (const AutomationError& e) {
        EXPECT_EQ(e.number(), 438);
        EXPECT_EQ(e.description(), korvane::runtimeDescription(438));
    }
    Object none = o.getObject(probe::Nothing);
    EXPECT_TRUE(none.isNothing());
    EXPECT_EQ(errorOf([&] { none.get(L"Name"); }), 91) << "a call through Nothing";
}

TEST_F(ComAdapter, OneServedObjectPerIdentityAndOwnObjectsComeBackUnwrapped) {
    Object o = served(probe_);
    Object first = o.getObject(L"Child");
    Object second = o.getObject(probe::Child);
    EXPECT_EQ(comOf(first), comOf(second)) << "the same child arrived as two COM objects";
    // Passed back to its server, the child is the server's own object again, not a wrapper of a wrapper.
    EXPECT_TRUE(o.call(L"IsChild", {Variant(first.ptr())}).toBool());
    EXPECT_EQ(ServerObjects::instance().liveObjects(), baseline_ + 2);
    first.reset();
    second.reset();
    EXPECT_EQ(ServerObjects::instance().liveObjects(), baseline_ + 1) << "the child's wrapper outlived its callers";
}

TEST_F(ComAdapter, CollectionsAreWalkedThroughTheirEnumerator) {
    Object o = served(probe_);
    std::vector<Variant> items = o.items();
    ASSERT_EQ(items.size(), 3u);
    EXPECT_TRUE(items[0] == Variant::i4(1));
    EXPECT_TRUE(items[1] == Variant(L"zwei"));
    Object child = Object::from(items[2]);
    EXPECT_EQ(comOf(child), comOf(o.getObject(probe::Child)));
}

TEST_F(ComAdapter, ObjectsThatAreNoCollectionRefuseToBeWalked) {
    class Plain : public Probe {
        std::unique_ptr<korvane::Enumerator> enumerate() override {
            korvane::raiseRuntimeError(korvane::rt::MemberNotSupported);
        }
    };
    Object o = served(std::make_shared<Plain>());
    EXPECT_EQ(errorOf([&] { o.items(); }), 438) << "walking an object without enumerator";
}

TEST_F(ComAdapter, NamesAreLookedUpOncePerTypeOrOncePerObjectWithoutType) {
    struct Case {
        const char* what;
        bool typed;
        int expected;  // look-ups seen by the two servers together
    };
    const Case cases[] = {{"objects with one type", true, 1}, {"objects without type", false, 2}};
    for (const Case& c : cases) {
        std::optional<GUID> type;
        if (c.typed) type = freshGuid();
        auto a = std::make_shared<Probe>(type);
        auto b = std::make_shared<Probe>(type);
        Object oa = served(a);
        Object ob = served(b);
        for (int i = 0; i < 3; ++i) {
            oa.get(L"Name");
            ob.put(L"Name", Variant(L"x"));
        }
        EXPECT_EQ(a->lookups + b->lookups, c.expected) << c.what;
    }
}

}  // namespace
