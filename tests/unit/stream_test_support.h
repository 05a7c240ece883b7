// Shared by the stream tests: byte arrays in and out.
#pragma once

#include "file_test_support.h"

#include <string>

namespace docket::test {

// The bytes of a VT_ARRAY | VT_UI1 result ("<not a byte array>" for anything else).
inline std::string BytesOf(const VARIANT& v) {
  if (V_VT(&v) != (VT_ARRAY | VT_UI1)) return "<not a byte array>";
  void* data = nullptr;
  ::SafeArrayAccessData(V_ARRAY(&v), &data);
  std::string bytes(static_cast<const char*>(data), V_ARRAY(&v)->rgsabound[0].cElements);
  ::SafeArrayUnaccessData(V_ARRAY(&v));
  return bytes;
}

// A new byte array in a variant the caller owns.
inline VARIANT ByteArray(const std::string& bytes) {
  VARIANT v;
  ::VariantInit(&v);
  V_VT(&v) = VT_ARRAY | VT_UI1;
  V_ARRAY(&v) = ::SafeArrayCreateVector(VT_UI1, 0, static_cast<ULONG>(bytes.size()));
  void* data = nullptr;
  ::SafeArrayAccessData(V_ARRAY(&v), &data);
  if (!bytes.empty()) memcpy(data, bytes.data(), bytes.size());
  ::SafeArrayUnaccessData(V_ARRAY(&v));
  return v;
}

}  // namespace docket::test
