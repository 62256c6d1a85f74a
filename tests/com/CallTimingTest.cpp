// Counting the calls that cross to the CAD application, as the batch's trace does: what the caller's port
// counts (every call that would cross processes: members, name and type look-ups, enumeration, the last
// release of an object) and what the serving side counts (its served calls, one inside another once).
// Caller and server share this process here, so both counts come from one operation.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>

#include "automation/win32/Apartment.h"
#include "automation/win32/CallTiming.h"
#include "automation/win32/ComDispatch.h"
#include "automation/win32/NameCache.h"
#include "automation/win32/RetryMessageFilter.h"
#include "com/Probe.h"
#include "comserver/ServerObjects.h"
#include "comserver/ServingTime.h"

using korvane::Object;
using korvane::Variant;
using korvane::com::Apartment;
using korvane::com::CallTiming;
using korvane::com::ComDispatch;
using korvane::com::NameCache;
using korvane::com::ServerObjects;
using korvane::com::ServingTime;
using probe::freshGuid;
using probe::Probe;
using probe::ProbeTypesServed;

namespace {

class CallCounting : public ::testing::Test {
protected:
    Apartment apartment_;
    ProbeTypesServed types_;
};

TEST_F(CallCounting, EachCrossingIsOneCallOnBothSides) {
    const GUID type = freshGuid();
    auto probe = std::make_shared<Probe>(type);
    auto sibling = std::make_shared<Probe>(type);
    // Two objects of one binding, which shares its name cache.
    const auto names = std::make_shared<NameCache>();
    std::optional<Object> object(Object(std::make_shared<ComDispatch>(ServerObjects::instance().wrap(probe), names)));
    std::optional<Object> other(Object(std::make_shared<ComDispatch>(ServerObjects::instance().wrap(sibling), names)));
    std::vector<Variant> kept;
    struct Case {
        const char* what;
        std::function<void()> operation;
        uint64_t caller;  // calls the caller's port counts
        uint64_t served;  // calls the server counts
    };
    const Case cases[] = {
        {"a member by id", [&] { object->get(probe::Name); }, 1, 1},
        // The type's identity (count, type information, its attributes, their release, the information's
        // release), the name, the call.
        {"a member by name, first of its type", [&] { object->call(L"Echo", {Variant::i4(1)}); }, 7, 2},
        {"the same name on another object of the type", [&] { other->call(L"Echo", {Variant::i4(1)}); }, 6, 1},
        {"the same name on the same object", [&] { object->call(L"Echo", {Variant::i4(1)}); }, 1, 1},
        // The enumerator, its interface, three items and the end, the enumerator's release; the child
        // that came with the items is released when they go, and with its last reference its wrapper.
        {"walking a collection", [&] { kept = object->items(); }, 7, 5},
        {"letting the child that came with the items go", [&] { kept.clear(); }, 1, 1},
        {"releasing an object, the last reference to its wrapper", [&] { other.reset(); }, 1, 1},
    };
    for (const Case& c : cases) {
        CallTiming timing;
        const uint64_t servedBefore = ServingTime::instance().calls();
        c.operation();
        EXPECT_EQ(c.caller, timing.calls()) << c.what;
        EXPECT_EQ(c.served, ServingTime::instance().calls() - servedBefore) << c.what;
    }
    object.reset();
}

TEST(CallTimingScope, CountsOnlyWhileInstalledAndOnlyInTheInnermost) {
    const auto call = [] { return korvane::com::RetryMessageFilter::retrying([] { return S_OK; }); };
    call();  // none installed: nothing to count, nothing fails
    CallTiming outer;
    call();
    {
        CallTiming inner;
        call();
        call();
        EXPECT_EQ(2u, inner.calls());
    }
    call();
    EXPECT_EQ(2u, outer.calls());
}

TEST(ServingTimeCall, ACallInsideAServedCallIsPartOfItNotASecondOne) {
    const uint64_t before = ServingTime::instance().calls();
    {
        const ServingTime::Call served;
        const ServingTime::Call releasedWhileServing;
    }
    EXPECT_EQ(1u, ServingTime::instance().calls() - before);
}

}  // namespace
