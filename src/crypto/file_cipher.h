// Encrypting and decrypting one whole file into another under a password, in either format. The
// output has exactly the input's length: no header, salt, length or check value, so a wrong
// password yields wrong bytes without any error. Failures are reported under the caller's class
// with the texts scripts have always received for them.
#pragma once

#include "com/win.h"
#include "crypto/block_file_cipher.h"

#include <string>
#include <string_view>

namespace docket::crypto {

// Paths are in the system code page and already checked by the caller. The password ends at its
// first NUL.

// RC4 from the platform's cryptographic service, keyed by the MD5 hash of the password.
HRESULT StreamCipherFile(REFCLSID reporter, CipherDirection direction, const std::string& inPath,
                         const std::string& outPath, std::wstring_view password);

// Twofish in the block format, keyed from the password's key text (the default password when it
// is empty).
HRESULT BlockCipherFile(REFCLSID reporter, CipherDirection direction, const std::string& inPath,
                        const std::string& outPath, std::wstring_view password);

}  // namespace docket::crypto
