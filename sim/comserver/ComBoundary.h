#pragma once
// The edge of a COM method this process serves: no exception may cross it, as the caller is COM
// (or another process behind it). Whatever the body throws becomes an HRESULT that says what it was.
#include <windows.h>

#include <utility>

namespace korvane::com {

// The HRESULT of the exception being handled; called only inside a catch block. An AutomationError
// gives its runtime number's HRESULT, bad_alloc E_OUTOFMEMORY, anything else E_UNEXPECTED.
HRESULT hresultOfCurrentException() noexcept;

template <class Body>
HRESULT comBoundary(Body&& body) noexcept {
    try {
        return std::forward<Body>(body)();
    } catch (...) {
        return hresultOfCurrentException();
    }
}

}  // namespace korvane::com
