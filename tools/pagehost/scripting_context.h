#pragma once
// The scripting context a component's OnStartPage receives. It answers the typed context interface
// and, for scripted components, the same three objects by name.
#include <windows.h>
#include <ole2.h>
#include <asptlb.h>

#include "dispatch_object.h"

// The system headers declare the interface but carry no identifier for __uuidof.
__CRT_UUID_DECL(IScriptingContext, 0xD97A6DA0, 0xA868, 0x11CF, 0x83, 0xAE, 0x00, 0xB0, 0xC9, 0x0C, 0x2B, 0xD8)

namespace pagehost {

class ScriptingContext final : public DispatchObject<IScriptingContext> {
public:
    ScriptingContext(IDispatch* request, IDispatch* response, IDispatch* server);

    // The host's Request, Response and Server are plain dispatch objects: the typed pointers handed
    // out here answer IUnknown and IDispatch only (asking them for the typed interfaces fails). A
    // component keeps them for the page and releases them; calling the typed members is not supported.
    HRESULT STDMETHODCALLTYPE get_Request(IRequest** request) override;
    HRESULT STDMETHODCALLTYPE get_Response(IResponse** response) override;
    HRESULT STDMETHODCALLTYPE get_Server(IServer** server) override;
    HRESULT STDMETHODCALLTYPE get_Session(ISessionObject** session) override;
    HRESULT STDMETHODCALLTYPE get_Application(IApplicationObject** application) override;

private:
    HRESULT CallMember(DISPID id, DispatchCall& call) override;

    ComPtr<IDispatch> request_;
    ComPtr<IDispatch> response_;
    ComPtr<IDispatch> server_;
};

}  // namespace pagehost
