// The key of the stream-cipher method: RC4 derived by the platform's cryptographic service from
// the MD5 hash of the password's bytes in the system code page, with the provider's default key
// length. Which provider answers decides that length (128 bits from the Enhanced provider, 40
// from the Base one), and so whether a file can be read back elsewhere.
#pragma once

#include "crypto/crypt_handles.h"

#include <string_view>

namespace docket::crypto {

class StreamCipherKey {
 public:
  // The step that failed, if any, with the system error it left.
  enum class Step { kNone, kAcquireContext, kCreateHash, kHashData, kDeriveKey };
  struct Failure {
    Step step = Step::kNone;
    DWORD error = 0;
  };

  Failure Derive(std::string_view password);
  HCRYPTKEY get() const { return key_.get(); }

 private:
  UniqueCryptProvider provider_;  // declared first: it must outlive the key
  UniqueCryptKey key_;
};

}  // namespace docket::crypto
