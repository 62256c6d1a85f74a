#include "comserver/ComBoundary.h"

#include <new>

#include "automation/AutomationError.h"
#include "automation/win32/ComErrors.h"

namespace korvane::com {

HRESULT hresultOfCurrentException() noexcept {
    try {
        throw;
    } catch (const AutomationError& e) {
        return hresultOfRuntimeNumber(e.number());
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

}  // namespace korvane::com
