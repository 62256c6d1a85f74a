// VARIANT kinds that only other servers send, HRESULT-to-error rules and the retry answers.
#include <gtest/gtest.h>

#include <windows.h>
#include <oleauto.h>

#include <optional>
#include <string>

#include "TestSupport.h"
#include "automation/TextConvert.h"
#include "automation/win32/Apartment.h"
#include "automation/win32/Bstr.h"
#include "automation/win32/ComErrors.h"
#include "automation/win32/ComVariant.h"
#include "automation/win32/RetryMessageFilter.h"
#include "automation/win32/VariantHolder.h"

using korvane::AutomationError;
using korvane::Variant;
using korvane::test::errorOf;
using namespace korvane::com;

namespace {

TEST(ComVariant, ForeignKindsBecomeTheNearestValueOrATypeMismatch) {
    struct Case {
        const char* what;
        void (*fill)(VARIANT&);
        Variant expected;
    };
    static int32_t referenced = 77;
    const Case cases[] = {
        {"VT_NULL", [](VARIANT& v) { v.vt = VT_NULL; }, Variant()},
        {"VT_UI1", [](VARIANT& v) { v.vt = VT_UI1; v.bVal = 200; }, Variant::i2(200)},
        {"VT_UI2", [](VARIANT& v) { v.vt = VT_UI2; v.uiVal = 65535; }, Variant::i4(65535)},
        {"VT_UI4 small", [](VARIANT& v) { v.vt = VT_UI4; v.ulVal = 42; }, Variant::i4(42)},
        {"VT_UI4 large", [](VARIANT& v) { v.vt = VT_UI4; v.ulVal = 4000000000u; }, Variant::r8(4000000000.0)},
        {"VT_I8 small", [](VARIANT& v) { v.vt = VT_I8; v.llVal = -5; }, Variant::i4(-5)},
        {"VT_I8 large", [](VARIANT& v) { v.vt = VT_I8; v.llVal = -3000000000LL; }, Variant::r8(-3000000000.0)},
        {"VT_R4", [](VARIANT& v) { v.vt = VT_R4; v.fltVal = 0.5f; }, Variant::r8(0.5)},
        {"VT_CY", [](VARIANT& v) { v.vt = VT_CY; v.cyVal.int64 = 12345; }, Variant::r8(1.2345)},
        {"VT_ERROR other", [](VARIANT& v) { v.vt = VT_ERROR; v.scode = E_FAIL; },
         Variant::i4(static_cast<int32_t>(0x80004005u))},
        {"VT_UNKNOWN null", [](VARIANT& v) { v.vt = VT_UNKNOWN; v.punkVal = nullptr; }, Variant::nothing()},
        {"VT_BYREF|VT_I4", [](VARIANT& v) { v.vt = VT_BYREF | VT_I4; v.plVal = reinterpret_cast<LONG*>(&referenced); },
         Variant::i4(77)},
    };
    for (const Case& c : cases) {
        VariantHolder v;
        c.fill(*v.get());
        Variant got = fromComVariant(*v.get());
        EXPECT_TRUE(got == c.expected) << c.what << ": got " << korvane::toUtf8(got.describe()) << ", expected "
                                       << korvane::toUtf8(c.expected.describe());
    }
    VariantHolder record;
    record->vt = VT_RECORD;
    EXPECT_EQ(errorOf([&] { fromComVariant(*record.get()); }), 13) << "VT_RECORD has no counterpart";
    record.put();
}

TEST(ComErrors, HResultsMapToRuntimeNumbers) {
    struct Case {
        uint32_t hr;
        int32_t number;
    };
    const Case cases[] = {
        {0x800A0035u, 53},         {0x800A01B6u, 438},       {0x800A0000u, 0},
        {0x80004005u, static_cast<int32_t>(0x80004005u)},  // E_FAIL
        {0x8001010Au, static_cast<int32_t>(0x8001010Au)},  // RPC_E_SERVERCALL_RETRYLATER
        {0x80010001u, -2147418111},                        // RPC_E_CALL_REJECTED
    };
    for (const Case& c : cases)
        EXPECT_EQ(runtimeNumberOf(static_cast<HRESULT>(c.hr)), c.number) << std::hex << c.hr;
    EXPECT_EQ(static_cast<uint32_t>(hresultOfRuntimeNumber(53)), 0x800A0035u);
    EXPECT_EQ(hresultOfRuntimeNumber(-2147418111), static_cast<HRESULT>(0x80010001u));
    AutomationError plain = errorFromHResult(E_OUTOFMEMORY);
    EXPECT_EQ(plain.number(), static_cast<int32_t>(0x8007000Eu));
    EXPECT_FALSE(plain.description().empty()) << "a plain HRESULT carries the system's text";
    EXPECT_NE(plain.description().back(), L'\n');
}

struct Filled {
    static HRESULT STDAPICALLTYPE fillIn(EXCEPINFO* info) {
        info->bstrDescription = Bstr(L"Nachgereicht").detach();
        info->scode = static_cast<SCODE>(0x800A0046u);
        return S_OK;
    }
};

TEST(ComErrors, ExceptionInfoGivesNumberDescriptionAndSource) {
    struct Case {
        const char* what;
        SCODE scode;
        WORD wCode;
        const wchar_t* description;
        const wchar_t* source;
        bool deferred;
        int32_t number;
        std::wstring expectedDescription;
        std::wstring expectedSource;
    };
    const Case cases[] = {
        {"scode and texts", static_cast<SCODE>(0x800A0035u), 0, L"Datei fehlt", L"EdgeSim", false, 53,
         L"Datei fehlt", L"EdgeSim"},
        {"runtime scode without text", static_cast<SCODE>(0x800A0009u), 0, nullptr, nullptr, false, 9,
         korvane::runtimeDescription(9), L"Korvane"},
        {"16-bit code only", 0, 1004, L"Blatt", nullptr, false, 1004, L"Blatt", L"Korvane"},
        {"filled in later", 0, 0, nullptr, L"EdgeSim", true, 70, L"Nachgereicht", L"EdgeSim"},
    };
    for (const Case& c : cases) {
        EXCEPINFO info{};
        info.scode = c.scode;
        info.wCode = c.wCode;
        if (c.description) info.bstrDescription = Bstr(c.description).detach();
        if (c.source) info.bstrSource = Bstr(c.source).detach();
        if (c.deferred) info.pfnDeferredFillIn = &Filled::fillIn;
        AutomationError e = errorFromHResult(DISP_E_EXCEPTION, &info);
        SysFreeString(info.bstrDescription);
        SysFreeString(info.bstrSource);
        EXPECT_EQ(e.number(), c.number) << c.what;
        EXPECT_EQ(e.description(), c.expectedDescription) << c.what;
        EXPECT_EQ(e.source(), c.expectedSource) << c.what;
    }
}

TEST(RetryMessageFilter, RetriesOnlyBusyRejectionsWithinTheBound) {
    using std::chrono::milliseconds;
    const DWORD giveUp = static_cast<DWORD>(-1);
    struct Case {
        DWORD rejectType;
        DWORD elapsed;
        milliseconds bound;
        DWORD answer;
    };
    const Case cases[] = {
        {SERVERCALL_RETRYLATER, 9900, milliseconds(10000), 100},
        {SERVERCALL_RETRYLATER, 9901, milliseconds(10000), giveUp},
        {SERVERCALL_RETRYLATER, 0, milliseconds(0), giveUp},
        {SERVERCALL_REJECTED, 0, milliseconds(10000), giveUp},
    };
    for (const Case& c : cases)
        EXPECT_EQ(RetryMessageFilter::answer(c.rejectType, c.elapsed, c.bound), c.answer)
            << "reject " << c.rejectType << " after " << c.elapsed << " ms, bound " << c.bound.count();
}

TEST(RetryMessageFilter, PutsThePreviousFilterBack) {
    Apartment apartment;
    auto current = [] {
        IMessageFilter* p = nullptr;
        CoRegisterMessageFilter(nullptr, &p);  // take it out to look at it ...
        CoRegisterMessageFilter(p, nullptr);   // ... and put it straight back
        if (p) p->Release();
        return p;
    };
    ASSERT_EQ(current(), nullptr);
    {
        RetryMessageFilter outer;
        IMessageFilter* outerFilter = current();
        ASSERT_NE(outerFilter, nullptr);
        {
            RetryMessageFilter inner(std::chrono::milliseconds(500));
            EXPECT_NE(current(), outerFilter);
        }
        EXPECT_EQ(current(), outerFilter);
    }
    EXPECT_EQ(current(), nullptr);
}

TEST(RetryMessageFilter, RejectedCallsAreRepeatedOnlyWhileAFilterAllows) {
    Apartment apartment;
    struct Case {
        const char* what;
        int bound;        // ms; negative: no filter registered
        int rejections;   // how often the call comes back rejected before it goes through
        HRESULT result;
        int calls;        // how often the call was made (0: at least twice, count not fixed)
    };
    const Case cases[] = {
        {"no filter: the rejection as it came", -1, 1, RPC_E_SERVERCALL_RETRYLATER, 1},
        {"filter waits it out", 2000, 2, S_OK, 3},
        {"filter gives up", 250, 1000, RPC_E_CALL_REJECTED, 0},
    };
    for (const Case& c : cases) {
        std::optional<RetryMessageFilter> filter;
        if (c.bound >= 0) filter.emplace(std::chrono::milliseconds(c.bound));
        int calls = 0;
        HRESULT hr = RetryMessageFilter::retrying([&] {
            return ++calls <= c.rejections ? RPC_E_SERVERCALL_RETRYLATER : S_OK;
        });
        EXPECT_EQ(hr, c.result) << c.what;
        if (c.calls > 0) EXPECT_EQ(calls, c.calls) << c.what;
        else EXPECT_GE(calls, 2) << c.what;
    }
}

}  // namespace
