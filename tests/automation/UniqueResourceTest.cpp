#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "automation/UniqueResource.h"

using korvane::NegativeEmpty;
using korvane::NullOrAllOnesEmpty;
using korvane::UniqueResource;

namespace {

// Every handle the close function was called with, in order.
std::vector<std::intptr_t> closed;

void closeHandle(void* h) { closed.push_back(reinterpret_cast<std::intptr_t>(h)); }

using Owner = UniqueResource<void*, &closeHandle, NullOrAllOnesEmpty<void*>>;

void* handle(std::intptr_t n) { return reinterpret_cast<void*>(n); }

TEST(UniqueResource, EachHeldHandleIsClosedExactlyOnceAndNoneValuesNever) {
    struct Case {
        const char* what;
        void (*act)();
        std::vector<std::intptr_t> closed;
    };
    const Case cases[] = {
        {"owner goes", [] { Owner o(handle(7)); }, {7}},
        {"null is no handle", [] { Owner o(handle(0)); }, {}},
        {"all bits set is no handle", [] { Owner o(handle(-1)); }, {}},
        {"moved: only the new owner closes", [] { Owner a(handle(7)); Owner b(std::move(a)); }, {7}},
        {"move-assigned: the old handle of the target first",
         [] {
             Owner a(handle(7));
             Owner b(handle(8));
             b = std::move(a);
         },
         {8, 7}},
        {"reset closes at once", [] { Owner o(handle(7)); o.reset(); EXPECT_FALSE(o); }, {7}},
        {"reset to another handle", [] { Owner o(handle(7)); o.reset(handle(9)); }, {7, 9}},
        {"released: the caller owns it", [] { Owner o(handle(7)); EXPECT_EQ(o.release(), handle(7)); }, {}},
        {"put frees before the callee writes", [] { Owner o(handle(7)); *o.put() = handle(9); }, {7, 9}},
    };
    for (const Case& c : cases) {
        closed.clear();
        c.act();
        EXPECT_EQ(closed, c.closed) << c.what;
    }
}

std::vector<int> closedDescriptors;

int closeDescriptor(int fd) {
    closedDescriptors.push_back(fd);
    return 0;
}

using DescriptorOwner = UniqueResource<int, &closeDescriptor, NegativeEmpty<int>>;

TEST(UniqueResource, ADescriptorOwnerHoldsZeroButNoNegativeNumber) {
    struct Case {
        int descriptor;
        std::vector<int> closed;
    };
    const Case cases[] = {{0, {0}}, {3, {3}}, {-1, {}}, {-9, {}}};
    for (const Case& c : cases) {
        closedDescriptors.clear();
        {
            DescriptorOwner o(c.descriptor);
            EXPECT_EQ(static_cast<bool>(o), !c.closed.empty()) << "descriptor " << c.descriptor;
        }
        EXPECT_EQ(closedDescriptors, c.closed) << "descriptor " << c.descriptor;
    }
    EXPECT_EQ(DescriptorOwner().get(), -1) << "an empty owner keeps the number the interfaces use for none";
}

}  // namespace
