// Reading a binary stream: a number of bytes or the rest of the file, as a byte array or as an
// array of one-byte variants.
#include "module/error_report.h"
#include "streams/binary_stream.h"
#include "streams/safe_array.h"
#include "streams/stream_lock.h"

#include <cstring>

namespace docket {
namespace {

HRESULT ReturnByteArray(const BYTE* bytes, DWORD count, VARIANT* out) {
  streams::UniqueSafeArray array(::SafeArrayCreateVector(VT_UI1, 0, count));
  if (!array) return E_OUTOFMEMORY;
  {
    streams::SafeArrayData<BYTE> data(array.get());
    if (!data.ok()) return data.result();
    if (count > 0) std::memcpy(data.data(), bytes, count);
  }
  array.DetachInto(out, VT_UI1);
  return S_OK;
}

HRESULT ReturnVariantArray(const BYTE* bytes, DWORD count, VARIANT* out) {
  streams::UniqueSafeArray array(::SafeArrayCreateVector(VT_VARIANT, 0, count));
  if (!array) return E_OUTOFMEMORY;
  {
    streams::SafeArrayData<VARIANT> data(array.get());
    if (!data.ok()) return E_OUTOFMEMORY;
    for (DWORD i = 0; i < count; ++i) {
      V_VT(&data.data()[i]) = VT_UI1;
      V_UI1(&data.data()[i]) = bytes[i];
    }
  }
  array.DetachInto(out, VT_VARIANT);
  return S_OK;
}

}  // namespace

const BinaryStream::ArrayForm BinaryStream::kByteArray{ReturnByteArray, sizeof(BYTE)};
const BinaryStream::ArrayForm BinaryStream::kVariantArray{ReturnVariantArray, sizeof(VARIANT)};

DWORD BinaryStream::ReadBytes(void* dest, DWORD size, DWORD* got) {
  const DWORD error = file_.Read(dest, size, got);
  // Only a read that asked for something and found nothing marks the end; asking for nothing
  // says nothing about the file.
  if (error == 0 && size > 0 && *got == 0) atEnd_ = true;
  return error;
}

HRESULT BinaryStream::ReadInto(VARIANT* out, bool whole, DWORD count, const ArrayForm& form) {
  streams::StreamLock lock(mutex_);
  return com::Guarded([&] {
    if (whole) {
      ULONGLONG size = 0;
      if (const DWORD error = file_.Size(&size)) return ReportFailure(error);
      if (size > MAXLONG) return ReportFailure(ERROR_FILE_TOO_LARGE);
      count = static_cast<DWORD>(size);
    } else if (count > 0) {
      // Read(&H7FFFFFFF) of a small file must not ask for 2 GiB.
      ULONGLONG limited = count;
      if (const DWORD error = file_.LimitToRemaining(&limited)) return ReportFailure(error);
      count = static_cast<DWORD>(limited);
    }
    // The platform sizes an array in 32 bits; one it cannot describe is refused before reading.
    if (count > MAXDWORD / form.elementBytes) return ReportFailure(ERROR_ARITHMETIC_OVERFLOW);
    std::unique_ptr<BYTE[]> bytes(new BYTE[count ? count : 1]);
    DWORD got = 0;
    if (const DWORD error = ReadBytes(bytes.get(), count, &got)) return ReportFailure(error);
    // The whole of an empty file is nothing, and that is its end.
    if (whole && count == 0) atEnd_ = true;
    return form.make(bytes.get(), got, out);
  });
}

STDMETHODIMP BinaryStream::get_AtEndOfStream(VARIANT_BOOL* EOS) {
  if (!EOS) return E_POINTER;
  streams::StreamLock lock(mutex_);
  *EOS = atEnd_ ? VARIANT_TRUE : VARIANT_FALSE;
  return S_OK;
}

// A negative count names no number of bytes: it is refused bare, before the file is touched.
STDMETHODIMP BinaryStream::Read(LONG numBytes, VARIANT* pvarBytes) {
  if (!pvarBytes) return E_POINTER;
  ::VariantInit(pvarBytes);
  if (numBytes < 0) return E_INVALIDARG;
  return ReadInto(pvarBytes, false, static_cast<DWORD>(numBytes), kByteArray);
}

STDMETHODIMP BinaryStream::ReadAll(VARIANT* pvarBytes) {
  if (!pvarBytes) return E_POINTER;
  ::VariantInit(pvarBytes);
  return ReadInto(pvarBytes, true, 0, kByteArray);
}

// The variant forms answer a missing result with E_INVALIDARG, not E_POINTER.
STDMETHODIMP BinaryStream::ReadVar(LONG numBytes, VARIANT* pvarBytes) {
  if (!pvarBytes) return E_INVALIDARG;
  ::VariantInit(pvarBytes);
  if (numBytes < 0) return E_INVALIDARG;
  return ReadInto(pvarBytes, false, static_cast<DWORD>(numBytes), kVariantArray);
}

STDMETHODIMP BinaryStream::ReadVarAll(VARIANT* pvarBytes) {
  if (!pvarBytes) return E_INVALIDARG;
  ::VariantInit(pvarBytes);
  return ReadInto(pvarBytes, true, 0, kVariantArray);
}

}  // namespace docket
