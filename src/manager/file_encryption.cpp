// Encrypting and decrypting a file named by path: the File object for the path does the work and
// reports under its own name (a missing input fails as GetFile does).
#include "com/make_child.h"
#include "fsobjects/file.h"
#include "manager/file_manager.h"

namespace docket {

STDMETHODIMP FileManager::EncryptFile(BSTR InFile, BSTR OutFile, BSTR Password, QFENCTYPE Type) {
  com::ComPtr<IFile> file;
  DOCKET_RETURN_IF_FAILED(com::MakeChild<File>(file.put(), [&](File& f) { return f.InitPath(InFile); }));
  return file->Encrypt(OutFile, Password, Type);
}

STDMETHODIMP FileManager::DecryptFile(BSTR InFile, BSTR OutFile, BSTR Password, QFENCTYPE Type) {
  com::ComPtr<IFile> file;
  DOCKET_RETURN_IF_FAILED(com::MakeChild<File>(file.put(), [&](File& f) { return f.InitPath(InFile); }));
  return file->Decrypt(OutFile, Password, Type);
}

}  // namespace docket
