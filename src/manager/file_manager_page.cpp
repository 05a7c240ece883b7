// The page hooks: the web server's script host hands the object its page context when a page
// that holds it starts, and takes it back when the page ends.
#include "com/srw_guard.h"
#include "manager/file_manager.h"

#include <utility>

#include <asptlb.h>

// asptlb.h declares no __uuidof for the page context.
__CRT_UUID_DECL(IScriptingContext, 0xD97A6DA0, 0xA868, 0x11CF, 0x83, 0xAE, 0x00, 0xB0, 0xC9, 0x0C, 0x2B, 0xD8)

namespace docket {

STDMETHODIMP FileManager::OnStartPage(IUnknown* piUnk) {
  if (!piUnk) return E_POINTER;
  com::ComPtr<IScriptingContext> context;
  if (FAILED(piUnk->QueryInterface(__uuidof(IScriptingContext), context.put_void())))
    return E_NOINTERFACE;

  com::ComPtr<IRequest> request;
  com::ComPtr<IResponse> response;
  com::ComPtr<IServer> server;
  HRESULT hr = context->get_Request(request.put());
  if (SUCCEEDED(hr)) hr = context->get_Response(response.put());
  if (SUCCEEDED(hr)) hr = context->get_Server(server.put());
  if (FAILED(hr)) {
    OnEndPage();
    return hr;
  }
  // A second start without an end replaces the objects of the first.
  KeepPageObjects(request.get(), response.get(), server.get());
  return S_OK;
}

STDMETHODIMP FileManager::OnEndPage() {
  KeepPageObjects({}, {}, {});
  return S_OK;
}

// An application-wide FileManager may see two pages start at once: the objects change hands
// under the lock, and the ones they replace are released after it, outside.
void FileManager::KeepPageObjects(com::ComPtr<IDispatch> request, com::ComPtr<IDispatch> response,
                                  com::ComPtr<IDispatch> server) {
  com::ExclusiveGuard guard(objectLock_);
  std::swap(request_, request);
  std::swap(response_, response);
  std::swap(server_, server);
}

}  // namespace docket
