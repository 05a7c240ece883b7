#include "security/account_lookup.h"

#include <algorithm>
#include <vector>

namespace docket {

accounts::Lookup LookUpAccount(PSID sid) {
  accounts::Lookup lookup;
  std::vector<char> name(MAX_PATH), domain(MAX_PATH);
  for (int attempt = 0; attempt < 2; ++attempt) {
    DWORD nameSize = static_cast<DWORD>(name.size());
    DWORD domainSize = static_cast<DWORD>(domain.size());
    SID_NAME_USE use = SidTypeUnknown;
    if (::LookupAccountSidA(nullptr, sid, name.data(), &nameSize, domain.data(), &domainSize,
                            &use)) {
      lookup.use = use;
      lookup.name = name.data();
      lookup.domain = domain.data();
      lookup.error = 0;
      return lookup;
    }
    lookup.error = ::GetLastError();
    if (lookup.error != ERROR_INSUFFICIENT_BUFFER) break;
    // The sizes asked for include the terminators.
    name.resize(std::max<size_t>(name.size(), nameSize));
    domain.resize(std::max<size_t>(domain.size(), domainSize));
  }
  return lookup;
}

}  // namespace docket
