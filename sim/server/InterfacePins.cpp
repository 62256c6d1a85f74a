#include "server/InterfacePins.h"

#include <objbase.h>

#include "automation/win32/ComErrors.h"

namespace edgesim::server {

void InterfacePins::pin(REFIID iid, IUnknown* object) {
    korvane::com::ComPtr<IStream> stream;
    HRESULT hr = CreateStreamOnHGlobal(nullptr, TRUE, stream.put());
    if (SUCCEEDED(hr)) hr = CoMarshalInterface(stream.get(), iid, object, MSHCTX_LOCAL, nullptr, MSHLFLAGS_TABLESTRONG);
    if (FAILED(hr)) korvane::com::raiseHResult(hr);
    marshals_.push_back(std::move(stream));
}

InterfacePins::~InterfacePins() {
    // Neutral result: a marshal COM cannot release any more ends with the apartment anyway.
    for (auto& stream : marshals_) {
        LARGE_INTEGER start{};
        if (SUCCEEDED(stream->Seek(start, STREAM_SEEK_SET, nullptr))) CoReleaseMarshalData(stream.get());
    }
}

}  // namespace edgesim::server
