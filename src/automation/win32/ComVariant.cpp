#include "automation/win32/ComVariant.h"

#include <limits>
#include <memory>

#include "automation/AutomationError.h"
#include "automation/win32/Bstr.h"
#include "automation/win32/ComDispatch.h"
#include "automation/win32/ComErrors.h"
#include "automation/win32/ComPtr.h"
#include "automation/win32/VariantHolder.h"

namespace korvane::com {

namespace {

Variant adoptObject(IDispatch* p, ObjectBridge& objects) {
    if (!p) return Variant::nothing();
    return Variant(objects.importObject(p));
}

template <class N>
Variant wholeNumber(N n) {
    if (n >= static_cast<N>(0) ? static_cast<unsigned long long>(n) <=
                                     static_cast<unsigned long long>(std::numeric_limits<int32_t>::max())
                               : static_cast<long long>(n) >= std::numeric_limits<int32_t>::min())
        return Variant::i4(static_cast<int32_t>(n));
    return Variant::r8(static_cast<double>(n));
}

double checkedDouble(HRESULT hr, double d) {
    if (FAILED(hr)) raiseHResult(hr);
    return d;
}

}  // namespace

IDispatch* ObjectBridge::exportObject(const DispatchPtr& object) {
    auto* remote = dynamic_cast<ComDispatch*>(object.get());
    if (!remote) raiseRuntimeError(rt::TypeMismatch);
    IDispatch* p = remote->get();
    p->AddRef();
    return p;
}

DispatchPtr ObjectBridge::importObject(IDispatch* object) {
    return std::make_shared<ComDispatch>(ComPtr<IDispatch>::share(object));
}

ObjectBridge& ObjectBridge::caller() {
    static ObjectBridge bridge;
    return bridge;
}

void toComVariant(const Variant& value, VARIANT& out, ObjectBridge& objects) {
    VariantInit(&out);
    switch (value.type()) {
    case VarType::Empty: return;
    case VarType::Missing:
        out.vt = VT_ERROR;
        out.scode = DISP_E_PARAMNOTFOUND;
        return;
    case VarType::Bool:
        out.vt = VT_BOOL;
        out.boolVal = value.toBool() ? VARIANT_TRUE : VARIANT_FALSE;
        return;
    case VarType::I2:
        out.vt = VT_I2;
        out.iVal = value.toInteger();
        return;
    case VarType::I4:
        out.vt = VT_I4;
        out.lVal = value.toLong();
        return;
    case VarType::R8:
        out.vt = VT_R8;
        out.dblVal = value.toDouble();
        return;
    case VarType::Date:
        out.vt = VT_DATE;
        out.date = value.toDate().value;
        return;
    case VarType::Text:
    case VarType::TextRef:
        out.bstrVal = Bstr(value.toText()).detach();
        out.vt = VT_BSTR;
        return;
    case VarType::Object: {
        const DispatchPtr object = value.toObject();
        out.pdispVal = object ? objects.exportObject(object) : nullptr;
        out.vt = VT_DISPATCH;
        return;
    }
    }
}

Variant fromComVariant(const VARIANT& v, ObjectBridge& objects) {
    if (v.vt == (VT_BYREF | VT_VARIANT)) {
        if (!v.pvarVal) return Variant();
        return fromComVariant(*v.pvarVal, objects);
    }
    if ((v.vt & VT_BYREF) != 0) {
        VariantHolder value;
        HRESULT hr = VariantCopyInd(value.get(), const_cast<VARIANT*>(&v));  // reads only
        if (FAILED(hr)) raiseRuntimeError(rt::TypeMismatch);
        return fromComVariant(*value.get(), objects);
    }
    switch (v.vt) {
    case VT_EMPTY:
    case VT_NULL: return Variant();
    case VT_ERROR:
        if (v.scode == DISP_E_PARAMNOTFOUND) return Variant::missing();
        return Variant::i4(static_cast<int32_t>(v.scode));
    case VT_BOOL: return Variant::boolean(v.boolVal != VARIANT_FALSE);
    case VT_I1: return Variant::i2(static_cast<int16_t>(v.cVal));
    case VT_UI1: return Variant::i2(static_cast<int16_t>(v.bVal));
    case VT_I2: return Variant::i2(v.iVal);
    case VT_UI2: return Variant::i4(static_cast<int32_t>(v.uiVal));
    case VT_I4: return Variant::i4(static_cast<int32_t>(v.lVal));
    case VT_INT: return Variant::i4(static_cast<int32_t>(v.intVal));
    case VT_UI4: return wholeNumber(v.ulVal);
    case VT_UINT: return wholeNumber(v.uintVal);
    case VT_I8: return wholeNumber(v.llVal);
    case VT_UI8: return wholeNumber(v.ullVal);
    case VT_R4: return Variant::r8(static_cast<double>(v.fltVal));
    case VT_R8: return Variant::r8(v.dblVal);
    case VT_CY: return Variant::r8(static_cast<double>(v.cyVal.int64) / 10000.0);  // fixed point, 4 places
    case VT_DECIMAL: {
        double d = 0;
        DECIMAL dec = v.decVal;
        return Variant::r8(checkedDouble(VarR8FromDec(&dec, &d), d));
    }
    case VT_DATE: return Variant(AutomationDate{v.date});
    case VT_BSTR: return Variant(textOf(v.bstrVal));
    case VT_DISPATCH: return adoptObject(v.pdispVal, objects);
    case VT_UNKNOWN: {
        if (!v.punkVal) return Variant::nothing();
        ComPtr<IDispatch> d = ComPtr<IUnknown>::share(v.punkVal).query<IDispatch>();
        if (!d) raiseRuntimeError(rt::TypeMismatch);
        return adoptObject(d.get(), objects);
    }
    default: raiseRuntimeError(rt::TypeMismatch);
    }
}

}  // namespace korvane::com
