// Shared by the stream tests: a FileManager to open streams with, byte arrays in and out, and a
// check of a reported system error.
#pragma once

#include "support/test_support.h"

#include <gtest/gtest.h>

#include <string>

namespace docket::test {

inline ComPtr<IFileManager> NewManager() {
  ComPtr<IFileManager> manager;
  EXPECT_EQ(LoadedModule::Default().Create(CLSID_FileManager, manager.put()), S_OK);
  return manager;
}

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

// The call failed with the system error, and its text is what the thread's error object holds.
inline void ExpectSystemError(HRESULT hr, DWORD error, const char* what) {
  EXPECT_EQ(hr, Win32Code(error)) << what;
  EXPECT_EQ(TakeError().description, SystemText(error)) << what;
}


}  // namespace docket::test
