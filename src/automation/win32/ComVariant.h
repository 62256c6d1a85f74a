#pragma once
// Values across the automation boundary: korvane::Variant <-> VARIANT.
#include <windows.h>
#include <oaidl.h>

#include "automation/Dispatch.h"
#include "automation/Variant.h"

namespace korvane::com {

// How object references cross the boundary. A caller holds only objects of other processes (each a
// ComDispatch) and can pass on nothing else; a process that serves its own objects derives from this
// to hand them out and to recognise them when they come back.
class ObjectBridge {
public:
    virtual ~ObjectBridge() = default;
    // A new reference for the receiver. An object of this process raises 13: the caller serves none.
    virtual IDispatch* exportObject(const DispatchPtr& object);
    // The object an incoming reference stands for: always one talked to through a ComDispatch.
    virtual DispatchPtr importObject(IDispatch* object);

    // The bridge of a caller that serves nothing.
    static ObjectBridge& caller();
};

// Fills an empty VARIANT. A text by reference travels as its current text; callers that pass
// arguments by reference set up the reference slots themselves.
void toComVariant(const Variant& value, VARIANT& out, ObjectBridge& objects = ObjectBridge::caller());

// The value of a VARIANT. Null and empty give Empty; numbers of other widths become I2, I4 or R8;
// references are followed; a kind without counterpart raises 13.
Variant fromComVariant(const VARIANT& value, ObjectBridge& objects = ObjectBridge::caller());

}  // namespace korvane::com
