// Shared by the stream tests: byte arrays in and out, a text file to open.
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

// The bytes of a text in a code page, by the platform's converter.
inline std::string BytesIn(UINT codePage, const std::wstring& text) {
  const int n = ::WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                      nullptr, nullptr);
  std::string bytes(static_cast<size_t>(n), '\0');
  ::WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), bytes.data(), n, nullptr,
                        nullptr);
  return bytes;
}

// A text file in a scratch folder, and the service that opens it as a stream.
class TextFileTest : public testing::Test {
 protected:
  ComPtr<ITextStream> Open(const std::string& content, IOMode mode = ForReading, LONG format = TristateFalse) {
    WriteBytes(file_, content);
    return OpenExisting(mode, format);
  }
  ComPtr<ITextStream> OpenExisting(IOMode mode, LONG format, VARIANT_BOOL create = VARIANT_FALSE) {
    ComPtr<ITextStream> stream;
    EXPECT_EQ(
        manager_->OpenTextFile(Bstr(file_).get(), mode, create, static_cast<Tristate>(format), stream.put()),
        S_OK);
    return stream;
  }
  static std::wstring ReadAll(ITextStream* stream) { return TextOf(stream, &ITextStream::ReadAll); }
  static std::wstring ReadLine(ITextStream* stream) { return TextOf(stream, &ITextStream::ReadLine); }
  static bool AtEnd(ITextStream* stream) {
    VARIANT_BOOL end = 1;
    EXPECT_EQ(stream->get_AtEndOfStream(&end), S_OK);
    return end == VARIANT_TRUE;
  }

  ScratchDir dir_;
  std::wstring file_ = dir_ / L"text.txt";
  ComPtr<IFileManager> manager_ = NewManager();
};

}  // namespace docket::test
