// Shared by the stream tests: byte arrays in and out, the end of a stream.
#pragma once

#include "file_test_support.h"

#include <string>

namespace docket::test {

// The bytes of a VT_ARRAY | VT_UI1 result ("<not a byte array>" for anything else).
inline std::string BytesOf(const VARIANT& v) {
  if (V_VT(&v) != (VT_ARRAY | VT_UI1)) return "<not a byte array>";
  const SAFEARRAY* array = V_ARRAY(&v);
  return std::string(static_cast<const char*>(array->pvData), array->rgsabound[0].cElements);
}

// A new byte array in a variant the caller owns.
inline VARIANT ByteArray(const std::string& bytes) {
  VARIANT v;
  V_VT(&v) = VT_ARRAY | VT_UI1;
  V_ARRAY(&v) = ::SafeArrayCreateVector(VT_UI1, 0, static_cast<ULONG>(bytes.size()));
  if (!bytes.empty()) memcpy(V_ARRAY(&v)->pvData, bytes.data(), bytes.size());
  return v;
}

template <class Stream>
bool AtEnd(Stream* stream) {
  VARIANT_BOOL end = 1;
  EXPECT_EQ(stream->get_AtEndOfStream(&end), S_OK);
  return end == VARIANT_TRUE;
}

}  // namespace docket::test
