// Sequential byte access to one open file; the only owner of the file handle.
#pragma once

#include "com/com_object.h"
#include "module/init_interfaces.h"

namespace docket {

class BinaryStream final : public com::ComObject<BinaryStream, IBinaryStream, IBinaryStreamInit> {
 public:
  static const CLSID& ClassId() { return CLSID_BinaryStream; }

  // IBinaryStream
  STDMETHODIMP get_AtEndOfStream(VARIANT_BOOL* EOS) override;
  STDMETHODIMP Read(LONG numBytes, VARIANT* pvarBytes) override;
  STDMETHODIMP ReadAll(VARIANT* pvarBytes) override;
  STDMETHODIMP Write(VARIANT* Bytes) override;
  STDMETHODIMP Fill(LONG Byte, LONG numBytes) override;
  STDMETHODIMP Skip(LONG Bytes) override;
  STDMETHODIMP Close() override;
  STDMETHODIMP ReadVar(LONG numBytes, VARIANT* pvarBytes) override;
  STDMETHODIMP ReadVarAll(VARIANT* pvarBytes) override;

  // IBinaryStreamInit
  STDMETHODIMP Create(BSTR fileName, VARIANT_BOOL overwrite) override;
  STDMETHODIMP Open(BSTR fileName, LONG ioMode, VARIANT_BOOL create) override;
};

}  // namespace docket
