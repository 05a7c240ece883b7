#include "response_object.h"

#include "console_text.h"

namespace pagehost {

namespace {

enum : DISPID { kWrite = 1 };

constexpr DispatchMember kMembers[] = {{L"Write", kWrite}};

}  // namespace

ResponseObject::ResponseObject() : DispatchObject(kMembers, L"Response") {}

HRESULT ResponseObject::CallMember(DISPID id, DispatchCall& call) {
    if (id != kWrite) return DISP_E_MEMBERNOTFOUND;
    if (const HRESULT hr = call.RequireArguments(1, 1); FAILED(hr)) return hr;
    // A web server writes nothing for Null, and so do we.
    if (V_VT(&call.Argument(0)) == VT_NULL) return S_OK;
    std::wstring text;
    if (const HRESULT hr = call.ReadText(0, text); FAILED(hr)) return hr;
    WriteText(StdStream::Output, text);
    return S_OK;
}

}  // namespace pagehost
