// Shared by the stream tests: byte arrays in and out, a file to open.
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

// A text file in a scratch folder, and the service that opens it as a stream.
class TextFileTest : public testing::Test {
 protected:
  ComPtr<ITextStream> Open(const std::string& content, IOMode mode = ForReading, LONG format = TristateFalse) {
    WriteBytes(file_, content);
    return OpenExisting(mode, format);
  }
  ComPtr<ITextStream> OpenExisting(IOMode mode, LONG format) {
    ComPtr<ITextStream> stream;
    EXPECT_EQ(manager_->OpenTextFile(Bstr(file_).get(), mode, VARIANT_FALSE, static_cast<Tristate>(format),
                                     stream.put()), S_OK);
    return stream;
  }
  static std::wstring ReadAll(ITextStream* stream) { return TextOf(stream, &ITextStream::ReadAll); }
  static std::wstring ReadLine(ITextStream* stream) { return TextOf(stream, &ITextStream::ReadLine); }

  ScratchDir dir_;
  std::wstring file_ = dir_ / L"text.txt";
  ComPtr<IFileManager> manager_ = NewManager();
};

}  // namespace docket::test
