// Encrypting and decrypting this file into another file under a password, by either method.
#include "crypto/file_cipher.h"
#include "fsobjects/file.h"
#include "fsobjects/file_path.h"
#include "module/error_report.h"

namespace docket {

HRESULT File::RunCipher(BSTR outFile, BSTR password, QFENCTYPE type, crypto::CipherDirection direction) {
  return location_.Use(ClassId(), [&](const Location& here) {
    if (type != QFRSA && type != QFTWOFISH)
      return ReportError(ClassId(), "Encryption type is not Supported.", 0);
    const PlatformPath output = ToPlatformPath(outFile);
    if (!output) return ReportRefusedPath(ClassId(), output);
    if (type == QFRSA)
      return crypto::StreamCipherFile(ClassId(), direction, here.path, output.text, com::View(password));
    return crypto::BlockCipherFile(ClassId(), direction, here.path, output.text, com::View(password));
  });
}

STDMETHODIMP File::Encrypt(BSTR OutFile, BSTR Password, QFENCTYPE Type) {
  return RunCipher(OutFile, Password, Type, crypto::CipherDirection::kEncrypt);
}

STDMETHODIMP File::Decrypt(BSTR OutFile, BSTR Password, QFENCTYPE Type) {
  return RunCipher(OutFile, Password, Type, crypto::CipherDirection::kDecrypt);
}

}  // namespace docket
