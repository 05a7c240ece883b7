// Owners of the platform's cryptographic handles: provider contexts, hashes and keys.
#pragma once

#include "com/handles.h"
#include "com/win.h"

#include <wincrypt.h>

namespace docket::crypto {

struct CryptProviderTraits {
  using Handle = HCRYPTPROV;
  static Handle Invalid() { return 0; }
  static bool Close(Handle h) { return ::CryptReleaseContext(h, 0) != FALSE; }
};
struct CryptHashTraits {
  using Handle = HCRYPTHASH;
  static Handle Invalid() { return 0; }
  static bool Close(Handle h) { return ::CryptDestroyHash(h) != FALSE; }
};
struct CryptKeyTraits {
  using Handle = HCRYPTKEY;
  static Handle Invalid() { return 0; }
  static bool Close(Handle h) { return ::CryptDestroyKey(h) != FALSE; }
};

using UniqueCryptProvider = com::UniqueHandle<CryptProviderTraits>;
using UniqueCryptHash = com::UniqueHandle<CryptHashTraits>;
using UniqueCryptKey = com::UniqueHandle<CryptKeyTraits>;

}  // namespace docket::crypto
