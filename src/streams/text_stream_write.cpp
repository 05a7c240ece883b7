// Writing a text stream, and closing it. Writes change neither Line nor Column.
#include "com/bstr.h"
#include "streams/stream_lock.h"
#include "streams/text_encoding.h"
#include "streams/text_stream.h"

#include <string>

namespace docket {

HRESULT TextStream::WriteEncoded(std::wstring_view text, LONG lineEnds) {
  bytes_.clear();
  streams::AppendEncoded(text, source_.encoding(), &bytes_);
  if (lineEnds > 0) streams::AppendLineEnds(static_cast<size_t>(lineEnds), source_.encoding(), &bytes_);
  if (bytes_.size() > MAXDWORD) return E_OUTOFMEMORY;
  const DWORD error = source_.file().WriteBytes(bytes_.data(), static_cast<DWORD>(bytes_.size()));
  // A long text should not keep its memory for the life of the stream.
  if (bytes_.capacity() > 64 * 1024) std::string().swap(bytes_);
  return error ? Report(error) : S_OK;
}

STDMETHODIMP TextStream::Write(BSTR Text) {
  streams::StreamLock lock(mutex_);
  // Nothing to write needs no file.
  if (com::View(Text).empty()) return S_OK;
  return com::Guarded([&] { return WriteEncoded(com::View(Text), 0); });
}

STDMETHODIMP TextStream::WriteLine(BSTR Text) {
  streams::StreamLock lock(mutex_);
  return com::Guarded([&] { return WriteEncoded(com::View(Text), 1); });
}

STDMETHODIMP TextStream::WriteBlankLines(LONG Lines) {
  streams::StreamLock lock(mutex_);
  if (Lines <= 0) return S_OK;
  return com::Guarded([&] { return WriteEncoded({}, Lines); });
}

STDMETHODIMP TextStream::Close() {
  streams::StreamLock lock(mutex_);
  // The pending text stays: reads it can serve still succeed, anything else fails on the handle.
  source_.file().CloseFile();
  return S_OK;
}

}  // namespace docket
