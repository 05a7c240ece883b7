// Members of BinaryStream that are not built yet answer E_NOTIMPL.
#include "streams/binary_stream.h"

namespace docket {

STDMETHODIMP BinaryStream::get_AtEndOfStream(VARIANT_BOOL* EOS) { return E_NOTIMPL; }
STDMETHODIMP BinaryStream::Read(LONG numBytes, VARIANT* pvarBytes) { return E_NOTIMPL; }
STDMETHODIMP BinaryStream::ReadAll(VARIANT* pvarBytes) { return E_NOTIMPL; }
STDMETHODIMP BinaryStream::Write(VARIANT* Bytes) { return E_NOTIMPL; }
STDMETHODIMP BinaryStream::Fill(LONG Byte, LONG numBytes) { return E_NOTIMPL; }
STDMETHODIMP BinaryStream::Skip(LONG Bytes) { return E_NOTIMPL; }
STDMETHODIMP BinaryStream::Close() { return E_NOTIMPL; }
STDMETHODIMP BinaryStream::ReadVar(LONG numBytes, VARIANT* pvarBytes) { return E_NOTIMPL; }
STDMETHODIMP BinaryStream::ReadVarAll(VARIANT* pvarBytes) { return E_NOTIMPL; }
STDMETHODIMP BinaryStream::Create(BSTR fileName, VARIANT_BOOL overwrite) { return E_NOTIMPL; }
STDMETHODIMP BinaryStream::Open(BSTR fileName, LONG ioMode, VARIANT_BOOL create) { return E_NOTIMPL; }

}  // namespace docket
