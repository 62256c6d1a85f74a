// The adapter both ways in one process: a ComDispatch caller talks to a DispatchServer that serves
// a Probe, so every value, error and object crosses IDispatch::Invoke as it would from another process.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "TestSupport.h"
#include "automation/TextConvert.h"
#include "automation/win32/Apartment.h"
#include "automation/win32/ComDispatch.h"
#include "automation/win32/NameCache.h"
#include "comserver/ServerObjects.h"
#include "com/Probe.h"

using korvane::AutomationError;
using korvane::DispatchPtr;
using korvane::InvokeKind;
using korvane::Object;
using korvane::Variant;
using korvane::com::ComDispatch;
using korvane::com::NameCache;
using korvane::com::ServerObjects;
using korvane::test::errorOf;
using probe::freshGuid;
using probe::Probe;
using probe::ProbeTypesServed;

namespace {

IDispatch* comOf(const Object& o) { return static_cast<ComDispatch&>(*o.ptr()).get(); }

class ComAdapter : public ::testing::Test {
protected:
    void SetUp() override { baseline_ = ServerObjects::instance().liveObjects(); }
    void TearDown() override {
        EXPECT_EQ(ServerObjects::instance().liveObjects(), baseline_) << "served objects outlived their callers";
    }
    // A caller's object variable for a served probe, bound on its own.
    static Object served(const std::shared_ptr<Probe>& p) {
        return Object(std::make_shared<ComDispatch>(ServerObjects::instance().wrap(p)));
    }
    // The same, as an object of the binding that owns the given names.
    static Object served(const std::shared_ptr<Probe>& p, std::shared_ptr<NameCache> names) {
        return Object(std::make_shared<ComDispatch>(ServerObjects::instance().wrap(p), std::move(names)));
    }

    korvane::com::Apartment apartment_;
    ProbeTypesServed types_;
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

TEST_F(ComAdapter, FailuresArriveWithNumberAndDescription) {
    class Plain : public Probe {
        std::unique_ptr<korvane::Enumerator> enumerate() override {
            korvane::raiseRuntimeError(korvane::rt::MemberNotSupported);
        }
    };
    Object o = served(probe_);
    Object plain = served(std::make_shared<Plain>());
    Object none = o.getObject(probe::Nothing);
    EXPECT_TRUE(none.isNothing());
    auto fail = [&](int32_t number, const wchar_t* text) { o.call(L"Fail", {Variant::i4(number), Variant(text)}); };
    struct Case {
        const char* what;
        std::function<void()> act;
        int32_t number;
        std::wstring description;  // empty: not compared
        bool fromProbe;            // raised by the probe, which names itself as the source
    };
    const Case cases[] = {
        {"runtime error", [&] { fail(53, L"Datei nicht gefunden"); }, 53, L"Datei nicht gefunden", true},
        {"program error", [&] { fail(1004, L"Blatt fehlt"); }, 1004, L"Blatt fehlt", true},
        {"a full HRESULT stays itself", [&] { fail(static_cast<int32_t>(0x8001010Au), L"Anwendung ist beschäftigt"); },
         static_cast<int32_t>(0x8001010Au), L"Anwendung ist beschäftigt", true},
        {"E_FAIL", [&] { fail(static_cast<int32_t>(0x80004005u), L"Unbekannter Fehler"); },
         static_cast<int32_t>(0x80004005u), L"Unbekannter Fehler", true},
        {"another exception stops at the server's edge", [&] { o.call(L"Crash"); }, static_cast<int32_t>(E_UNEXPECTED), L"",
         false},
        {"unknown name", [&] { o.get(L"Gibtsnicht"); }, 438, korvane::runtimeDescription(438), false},
        {"a call through Nothing", [&] { none.get(L"Name"); }, 91, L"", false},
        {"walking an object without enumerator", [&] { plain.items(); }, 438, L"", false},
    };
    for (const Case& c : cases) {
        try {
            c.act();
            ADD_FAILURE() << c.what << ": no error";
        } catch (const AutomationError& e) {
            EXPECT_EQ(e.number(), c.number) << c.what;
            if (!c.description.empty()) { EXPECT_EQ(e.description(), c.description) << c.what; }
            if (c.fromProbe) { EXPECT_EQ(e.source(), L"Probe") << c.what; }
        }
    }
    EXPECT_EQ(errorOf([&] { o.call(probe::ArgCount); }), 0) << "the server is not usable after the failures";
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

TEST_F(ComAdapter, NamesAreLookedUpOncePerTypeAndBindingOrOncePerObjectWithoutType) {
    enum class Second { SameBinding, OtherBinding, Child, CollectionItem };
    struct Case {
        const char* what;
        bool typed;
        Second second;
        int expected;  // look-ups seen by the two served probes together
    };
    const Case cases[] = {
        {"two objects of one type and binding", true, Second::SameBinding, 1},
        {"two objects of one type from two bindings", true, Second::OtherBinding, 2},
        {"two objects without type in one binding", false, Second::SameBinding, 2},
        {"an object and the child one of its calls returned", true, Second::Child, 1},
        {"an object and an item of its collection", true, Second::CollectionItem, 1},
    };
    for (const Case& c : cases) {
        std::optional<GUID> type;
        if (c.typed) type = freshGuid();
        const auto names = std::make_shared<NameCache>();
        auto a = std::make_shared<Probe>(type);
        auto b = std::make_shared<Probe>(type);
        Object oa = served(a, names);
        Object ob;
        switch (c.second) {
        case Second::SameBinding: ob = served(b, names); break;
        case Second::OtherBinding: ob = served(b, std::make_shared<NameCache>()); break;
        case Second::Child: ob = oa.getObject(probe::Child); break;
        case Second::CollectionItem: ob = Object::from(oa.items().at(2)); break;
        }
        const std::shared_ptr<Probe> second = a->child() ? a->child() : b;
        for (int i = 0; i < 3; ++i) {
            oa.get(L"Name");
            ob.put(L"Name", Variant(L"x"));
        }
        EXPECT_EQ(a->lookups + second->lookups, c.expected) << c.what;
    }
}

TEST_F(ComAdapter, ABindingsNamesServeOnlyTheThreadThatUsedThemFirst) {
    const GUID type = freshGuid();
    auto mine = std::make_shared<Probe>(type);
    auto theirs = std::make_shared<Probe>(type);
    Object here = served(mine);
    Object there = served(theirs);  // a binding of its own, first used by the other thread
    here.get(L"Name");
    int32_t borrowed = 0;
    int32_t own = -1;
    std::thread other([&] {
        borrowed = errorOf([&] { here.get(L"Name"); });
        own = errorOf([&] { there.get(L"Name"); });
    });
    other.join();
    const auto wrongThread = static_cast<int32_t>(RPC_E_WRONG_THREAD);
    EXPECT_EQ(borrowed, wrongThread) << "another thread reached this thread's names";
    EXPECT_EQ(mine->lookups, 1) << "the refused thread looked the name up all the same";
    EXPECT_EQ(own, 0) << "a thread was refused its own binding's names";
    EXPECT_EQ(theirs->lookups, 1);
    EXPECT_EQ(errorOf([&] { there.get(L"Name"); }), wrongThread) << "this thread reached the other thread's names";
}

}  // namespace
