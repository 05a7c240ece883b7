#include "crypto/stream_cipher_key.h"

namespace docket::crypto {
namespace {

// The providers tried in turn, with no key container named: the default one of the full RSA
// type, then the Enhanced and the Base provider, each with the machine's key set, opened or else
// created.
struct ProviderChoice {
  const char* name;
  DWORD flags;
};
constexpr ProviderChoice kProviderCascade[] = {
    {nullptr, 0},
    {"Microsoft Enhanced Cryptographic Provider v1.0", CRYPT_MACHINE_KEYSET},
    {"Microsoft Enhanced Cryptographic Provider v1.0", CRYPT_MACHINE_KEYSET | CRYPT_NEWKEYSET},
    {"Microsoft Base Cryptographic Provider v1.0", CRYPT_MACHINE_KEYSET},
    {"Microsoft Base Cryptographic Provider v1.0", CRYPT_MACHINE_KEYSET | CRYPT_NEWKEYSET},
};

}  // namespace

StreamCipherKey::Failure StreamCipherKey::Derive(std::string_view password) {
  for (const ProviderChoice& choice : kProviderCascade) {
    HCRYPTPROV acquired = 0;
    if (::CryptAcquireContextA(&acquired, nullptr, choice.name, PROV_RSA_FULL, choice.flags)) {
      provider_.reset(acquired);
      break;
    }
  }
  if (!provider_) return {Step::kAcquireContext, ::GetLastError()};  // the last attempt's error
  UniqueCryptHash hash;
  if (!::CryptCreateHash(provider_.get(), CALG_MD5, 0, 0, hash.put()))
    return {Step::kCreateHash, ::GetLastError()};
  if (!::CryptHashData(hash.get(), reinterpret_cast<const BYTE*>(password.data()),
                       static_cast<DWORD>(password.size()), 0))
    return {Step::kHashData, ::GetLastError()};
  // No flags: the provider's default RC4 key length, and no salt asked for.
  if (!::CryptDeriveKey(provider_.get(), CALG_RC4, hash.get(), 0, key_.put()))
    return {Step::kDeriveKey, ::GetLastError()};
  return {};
}

}  // namespace docket::crypto
