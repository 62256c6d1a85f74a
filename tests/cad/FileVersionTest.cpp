// Whether a file was saved by an older version of the application than the running one.
#include <string>
#include <vector>

#include "TestSupport.h"
#include "cad/CadFixture.h"
#include "cad/clsSolidEdge.h"

namespace korvane::test {
namespace {

class FileVersion : public CadFixture {};

struct VersionCase {
    const wchar_t* saved;
    const wchar_t* running;
    int32_t precision;
    bool older;
    int32_t error;  // 0: no error expected (rows with one expect older false)
};

const std::vector<VersionCase> kCases = {
    {L"12.5", L"12.7", 2, true, 0},
    {L"12.5", L"12.5", 2, false, 0},
    {L"13.1", L"12.7", 2, true, 0},  // a greater first component does not end the test
    {L"12.5", L"12.7", 1, false, 0},
    {L"9.0", L"10.0", 1, true, 0},  // compared as numbers, not as texts
    {L" 12 . 5 ", L"12.7", 2, true, 0},
    {L"12.00.02.55", L"12.00.01.10", 4, false, 0},
    {L"12.5", L"12.5", 3, false, rt::SubscriptOutOfRange},
    {L"12..5", L"12.7", 2, false, rt::TypeMismatch},
    {L"12.99999999999", L"12.7", 2, false, rt::Overflow},
    {L"11.x", L"12.7", 2, true, 0},  // decided before the bad component is reached
};

TEST_F(FileVersion, ComparesComponentsUpToThePrecision) {
    for (const auto& c : kCases) {
        SCOPED_TRACE(::testing::Message() << "saved \"" << c.saved << "\" running \"" << c.running << "\" precision "
                                        << c.precision);
        startApplication(std::wstring(L"running yes\nversion ") + c.running + L"\n");
        clsSolidEdge se(binder(), drives());
        bool older = false;
        EXPECT_EQ(test::errorOf([&] { older = se.alteDateiVersion(c.saved, c.precision); }), c.error)
            << "error number differed";
        EXPECT_EQ(older, c.older) << "result differed";
    }
}

TEST_F(FileVersion, EmptyVersionIsOlderWithoutAskingTheApplication) {
    startApplication(L"running yes\nversion 12.7\n");
    clsSolidEdge se(binder(), drives());
    EXPECT_TRUE(se.alteDateiVersion(L"", 3));
    EXPECT_EQ(bindings(), 0u) << "the application was bound";
    EXPECT_FALSE(se.alteDateiVersion(L"12.5")) << "default precision compared something";
    EXPECT_EQ(bindings(), 1u);
}

}  // namespace
}  // namespace korvane::test
