// Writing a binary stream: whatever converts to an array of bytes, or a run of one byte.
#include "com/variant.h"
#include "module/error_report.h"
#include "streams/binary_stream.h"
#include "streams/safe_array.h"
#include "streams/stream_lock.h"

#include <string>

namespace docket {
namespace {

// Elements of every dimension together.
ULONGLONG ElementCount(SAFEARRAY* array) {
  ULONGLONG count = 1;
  for (UINT dim = 0; dim < array->cDims; ++dim) count *= array->rgsabound[dim].cElements;
  return count;
}

}  // namespace

STDMETHODIMP BinaryStream::Write(VARIANT* Bytes) {
  if (!Bytes) return E_POINTER;
  streams::StreamLock lock(mutex_);
  return com::Guarded([&] {
    // What the platform's conversion makes a byte array of is written: a byte array as it is, a
    // string as its UTF-16LE bytes, either of them behind a reference.
    com::Variant bytes;
    const HRESULT converted = ::VariantChangeType(bytes.get(), Bytes, 0, VT_ARRAY | VT_UI1);
    if (FAILED(converted) || bytes.type() != (VT_ARRAY | VT_UI1) || !V_ARRAY(bytes.get()))
      return ReportError(ClassId(), L"Couldn't convert type to Array of bytes.", 0);
    SAFEARRAY* array = V_ARRAY(bytes.get());
    const ULONGLONG count = ElementCount(array);
    if (count > MAXDWORD) return ReportFailure(ERROR_ARITHMETIC_OVERFLOW);
    streams::SafeArrayData<BYTE> data(array);
    if (!data.ok()) return data.result();
    const DWORD error = file_.Write(data.data(), static_cast<DWORD>(count));
    return error ? ReportFailure(error) : S_OK;
  });
}

STDMETHODIMP BinaryStream::Fill(LONG Byte, LONG numBytes) {
  if (numBytes < 0) return E_INVALIDARG;  // as for Read: refused bare, nothing written
  streams::StreamLock lock(mutex_);
  return com::Guarded([&] {
    const std::string run(static_cast<size_t>(numBytes), static_cast<char>(Byte & 0xFF));
    const DWORD error = file_.Write(run.data(), static_cast<DWORD>(run.size()));
    return error ? ReportFailure(error) : S_OK;
  });
}

}  // namespace docket
