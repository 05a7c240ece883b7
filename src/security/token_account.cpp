#include "security/token_account.h"

#include "module/error_report.h"
#include "security/account_lookup.h"

#include <vector>

namespace docket {

HRESULT TokenAccount(REFCLSID source, HANDLE token, std::string* account) {
  DWORD size = 0;
  if (!::GetTokenInformation(token, TokenUser, nullptr, 0, &size) &&
      ::GetLastError() != ERROR_INSUFFICIENT_BUFFER)
    return ReportError(source, "Could not get Token size information", 0);
  std::vector<BYTE> user(size);
  if (size == 0 || !::GetTokenInformation(token, TokenUser, user.data(), size, &size))
    return ReportError(source, "Could not get Token information", 0);
  const accounts::Lookup lookup = LookUpAccount(reinterpret_cast<TOKEN_USER*>(user.data())->User.Sid);
  if (lookup.error != 0) return ReportError(source, "LookupAccount Sid failed!", 0);
  *account = accounts::QualifiedName(lookup.domain, lookup.name);
  return S_OK;
}

}  // namespace docket
