// Which accounts the page runs as: the calling thread's (its impersonation, else the process's)
// and the server process's own. Logging a user on and reverting an impersonation are not
// provided.
#include "com/ansi.h"
#include "com/handles.h"
#include "manager/file_manager.h"
#include "module/error_report.h"
#include "security/token_account.h"

namespace docket {
namespace {

constexpr DWORD kQueryAccess = TOKEN_QUERY | STANDARD_RIGHTS_READ;

// Takes the calling thread's impersonation away, and gives it back when restored or destroyed,
// so that no failure leaves a page running under the server's account.
class ImpersonationSetAside {
 public:
  ImpersonationSetAside() = default;
  ImpersonationSetAside(const ImpersonationSetAside&) = delete;
  ImpersonationSetAside& operator=(const ImpersonationSetAside&) = delete;
  ~ImpersonationSetAside() { Restore(); }

  HRESULT Begin(REFCLSID source) {
    if (!::OpenThreadToken(::GetCurrentThread(), TOKEN_IMPERSONATE, TRUE, saved_.put()) &&
        ::GetLastError() != ERROR_NO_TOKEN)
      return ReportLastError(source, "Could not open thread token: ");
    if (!::SetThreadToken(nullptr, nullptr)) {
      saved_.reset();  // nothing was taken away
      return ReportError(source, "Could not impersonate self", 0);
    }
    return S_OK;
  }

  // False when the thread could not be given its impersonation back.
  bool Restore() {
    if (!saved_) return true;
    const bool restored = ::SetThreadToken(nullptr, saved_.get()) != FALSE;
    saved_.reset();
    return restored;
  }

 private:
  com::UniqueKernelHandle saved_;  // none when the thread was not impersonating
};

}  // namespace

STDMETHODIMP FileManager::get_CurrentUser(BSTR* pbstrUser) {
  DOCKET_RETURN_IF_NULL(pbstrUser);
  *pbstrUser = nullptr;
  return com::Guarded([&] {
    com::UniqueKernelHandle token;
    if (!::OpenThreadToken(::GetCurrentThread(), kQueryAccess, TRUE, token.put())) {
      if (::GetLastError() != ERROR_NO_TOKEN)
        return ReportLastError(ClassId(), "Could not open thread token: ");
      if (!::OpenProcessToken(::GetCurrentProcess(), kQueryAccess, token.put()))
        return ReportLastError(ClassId(), "Could not open process token: ");
    }
    std::string account;
    DOCKET_RETURN_IF_FAILED(TokenAccount(ClassId(), token.get(), &account));
    return com::ReturnAnsi(account, pbstrUser);
  });
}

// The process's token is opened as the process itself: the impersonated account may not be
// allowed to. The thread gets its impersonation back before the answer goes out.
STDMETHODIMP FileManager::get_ProcessUser(BSTR* pbstrUser) {
  DOCKET_RETURN_IF_NULL(pbstrUser);
  *pbstrUser = nullptr;
  return com::Guarded([&] {
    std::string account;
    {
      ImpersonationSetAside setAside;
      DOCKET_RETURN_IF_FAILED(setAside.Begin(ClassId()));
      com::UniqueKernelHandle token;
      if (!::OpenProcessToken(::GetCurrentProcess(), kQueryAccess, token.put()))
        return ReportError(ClassId(), "Could not open process token", 0);
      DOCKET_RETURN_IF_FAILED(TokenAccount(ClassId(), token.get(), &account));
      if (!setAside.Restore()) return ReportError(ClassId(), "Could not impersonate self", 0);
    }
    return com::ReturnAnsi(account, pbstrUser);
  });
}

STDMETHODIMP FileManager::RevertToSelf() { return E_NOTIMPL; }

STDMETHODIMP FileManager::LogonUser(BSTR Domain, BSTR UserID, BSTR Password, QFLogonType Flag,
                                    LONG* pbSuccess) {
  return E_NOTIMPL;
}

}  // namespace docket
