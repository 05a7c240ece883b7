// Writing a text stream, and closing it. Writes change neither Line nor Column.
#include "com/bstr.h"
#include "streams/stream_lock.h"
#include "streams/text_encoding.h"
#include "streams/text_stream.h"

#include <string>

namespace docket {

HRESULT TextStream::WriteEncoded(std::wstring_view text, LONG lineEnds) {
  std::string bytes;
  streams::AppendEncoded(text, source_.unicode(), &bytes);
  if (lineEnds > 0) {
    std::string lineEnd;
    streams::AppendEncoded(L"\r\n", source_.unicode(), &lineEnd);
    bytes.reserve(bytes.size() + lineEnd.size() * static_cast<size_t>(lineEnds));
    for (LONG i = 0; i < lineEnds; ++i) bytes += lineEnd;
  }
  if (bytes.size() > MAXDWORD) return E_OUTOFMEMORY;
  const DWORD error = source_.file().WriteBytes(bytes.data(), static_cast<DWORD>(bytes.size()));
  return error ? Report(error) : S_OK;
}

STDMETHODIMP TextStream::Write(BSTR Text) {
  streams::StreamLock lock(objectLock_);
  // Nothing to write needs no file.
  if (com::View(Text).empty()) return S_OK;
  return com::Guarded([&] { return WriteEncoded(com::View(Text), 0); });
}

STDMETHODIMP TextStream::WriteLine(BSTR Text) {
  streams::StreamLock lock(objectLock_);
  return com::Guarded([&] { return WriteEncoded(com::View(Text), 1); });
}

STDMETHODIMP TextStream::WriteBlankLines(LONG Lines) {
  streams::StreamLock lock(objectLock_);
  if (Lines <= 0) return S_OK;
  return com::Guarded([&] { return WriteEncoded({}, Lines); });
}

STDMETHODIMP TextStream::Close() {
  streams::StreamLock lock(objectLock_);
  // The pending text stays: reads it can serve still succeed, anything else fails on the handle.
  source_.file().CloseFile();
  return S_OK;
}

}  // namespace docket
