#include "automation/win32/ComErrors.h"

#include <windows.h>

#include "automation/UniqueResource.h"
#include "automation/win32/Bstr.h"

namespace korvane::com {

namespace {

bool isRuntimeHResult(uint32_t code) noexcept { return (code & RuntimeFacilityMask) == RuntimeFacilityBase; }

// Number and description of an HRESULT without further information from the server.
AutomationError plainError(HRESULT hr, std::wstring source) {
    int32_t number = runtimeNumberOf(hr);
    std::wstring description =
        isRuntimeHResult(static_cast<uint32_t>(hr)) ? runtimeDescription(number) : systemMessage(hr);
    if (description.empty()) description = runtimeDescription(rt::AutomationFailure);
    return AutomationError(number, std::move(description), std::move(source));
}

}  // namespace

int32_t runtimeNumberOf(HRESULT hr) noexcept {
    auto code = static_cast<uint32_t>(hr);
    if (isRuntimeHResult(code)) return static_cast<int32_t>(code & 0xFFFFu);
    return static_cast<int32_t>(hr);
}

HRESULT hresultOfRuntimeNumber(int32_t number) noexcept {
    if (number > 0 && number <= 0xFFFF)
        return static_cast<HRESULT>(RuntimeFacilityBase | static_cast<uint32_t>(number));
    return static_cast<HRESULT>(number);
}

std::wstring systemMessage(HRESULT hr) {
    UniqueResource<wchar_t*, &::LocalFree> buffer;
    DWORD length = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                      FORMAT_MESSAGE_IGNORE_INSERTS,
                                  nullptr, static_cast<DWORD>(hr), 0, reinterpret_cast<wchar_t*>(buffer.put()), 0,
                                  nullptr);
    std::wstring text;
    if (length != 0 && buffer) text.assign(buffer.get(), length);
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' '))
        text.pop_back();
    return text;
}

AutomationError errorFromHResult(HRESULT hr, EXCEPINFO* info) {
    if (hr != DISP_E_EXCEPTION || info == nullptr) return plainError(hr, L"Korvane");
    if (info->pfnDeferredFillIn) {
        info->pfnDeferredFillIn(info);
        info->pfnDeferredFillIn = nullptr;
    }
    std::wstring source = textOf(info->bstrSource);
    if (source.empty()) source = L"Korvane";
    // A server that reports only a 16-bit code means the runtime error of that number.
    HRESULT code = info->scode != 0 ? info->scode
                   : info->wCode != 0 ? hresultOfRuntimeNumber(info->wCode)
                                      : hr;
    std::wstring description = textOf(info->bstrDescription);
    if (description.empty()) return plainError(code, std::move(source));
    return AutomationError(runtimeNumberOf(code), std::move(description), std::move(source));
}

void raiseHResult(HRESULT hr, EXCEPINFO* info) { throw errorFromHResult(hr, info); }

}  // namespace korvane::com
