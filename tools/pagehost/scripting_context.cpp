#include "scripting_context.h"

namespace pagehost {

namespace {

enum : DISPID { kRequest = 1, kResponse, kServer };

constexpr DispatchMember kMembers[] = {{L"Request", kRequest}, {L"Response", kResponse}, {L"Server", kServer}};

template <class Typed>
HRESULT HandOut(IDispatch* object, Typed** target) {
    if (target == nullptr) return E_POINTER;
    object->AddRef();
    *target = reinterpret_cast<Typed*>(object);
    return S_OK;
}

template <class Typed>
HRESULT NotOffered(Typed** target) {
    if (target == nullptr) return E_POINTER;
    *target = nullptr;
    return E_NOTIMPL;
}

}  // namespace

ScriptingContext::ScriptingContext(IDispatch* request, IDispatch* response, IDispatch* server)
    : DispatchObject(kMembers, L"ScriptingContext"), request_(request), response_(response), server_(server) {}

HRESULT ScriptingContext::get_Request(IRequest** request) { return HandOut(request_.Get(), request); }
HRESULT ScriptingContext::get_Response(IResponse** response) { return HandOut(response_.Get(), response); }
HRESULT ScriptingContext::get_Server(IServer** server) { return HandOut(server_.Get(), server); }
// A page host without sessions or applications.
HRESULT ScriptingContext::get_Session(ISessionObject** session) { return NotOffered(session); }
HRESULT ScriptingContext::get_Application(IApplicationObject** application) { return NotOffered(application); }

HRESULT ScriptingContext::CallMember(DISPID id, DispatchCall& call) {
    if (const HRESULT hr = call.RequireArguments(0, 0); FAILED(hr)) return hr;
    switch (id) {
        case kRequest: call.ReturnObject(request_.Get()); return S_OK;
        case kResponse: call.ReturnObject(response_.Get()); return S_OK;
        case kServer: call.ReturnObject(server_.Get()); return S_OK;
        default: return DISP_E_MEMBERNOTFOUND;
    }
}

}  // namespace pagehost
