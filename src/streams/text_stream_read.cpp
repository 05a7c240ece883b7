// Reading a text stream: characters, lines, the rest of the file; skipping; where the position is.
#include "com/ansi.h"
#include "streams/stream_lock.h"
#include "streams/text_stream.h"

#include <string>

namespace docket {
namespace {

HRESULT ReturnText(const std::u16string& text, BSTR* out) {
  return com::ReturnWide(std::wstring_view(reinterpret_cast<const wchar_t*>(text.data()), text.size()), out);
}

}  // namespace

STDMETHODIMP TextStream::Read(LONG Characters, BSTR* Text) {
  if (!Text) return E_POINTER;
  *Text = nullptr;
  if (Characters < 0) return E_INVALIDARG;  // as the binary stream's Read
  streams::StreamLock lock(mutex_);
  return com::Guarded([&] {
    std::u16string text;
    if (const text::ErrorNumber error = reader_.Read(static_cast<size_t>(Characters), &text))
      return Report(error);
    return ReturnText(text, Text);
  });
}

STDMETHODIMP TextStream::ReadLine(BSTR* Text) {
  if (!Text) return E_POINTER;
  *Text = nullptr;
  streams::StreamLock lock(mutex_);
  return com::Guarded([&] {
    // A very long line should not keep its memory for the life of the stream.
    if (line_.capacity() > 4 * text::kChunkChars) std::u16string().swap(line_);
    if (const text::ErrorNumber error = reader_.ReadLine(&line_)) return Report(error);
    return ReturnText(line_, Text);
  });
}

STDMETHODIMP TextStream::ReadAll(BSTR* Text) {
  if (!Text) return E_POINTER;
  *Text = nullptr;
  streams::StreamLock lock(mutex_);
  return com::Guarded([&] {
    std::u16string all;
    if (const text::ErrorNumber error = reader_.ReadAll(&all)) return Report(error);
    return ReturnText(all, Text);
  });
}

STDMETHODIMP TextStream::SkipLine() {
  streams::StreamLock lock(mutex_);
  return com::Guarded([&] {
    const text::ErrorNumber error = reader_.SkipLine();
    return error ? Report(error) : S_OK;
  });
}

STDMETHODIMP TextStream::Skip(LONG Characters) {
  streams::StreamLock lock(mutex_);
  return com::Guarded([&] {
    const text::ErrorNumber error = reader_.Skip(Characters);
    return error ? Report(error) : S_OK;
  });
}

STDMETHODIMP TextStream::get_AtEndOfStream(VARIANT_BOOL* EOS) {
  if (!EOS) return E_POINTER;
  streams::StreamLock lock(mutex_);
  *EOS = reader_.AtEndOfStream() ? VARIANT_TRUE : VARIANT_FALSE;
  return S_OK;
}

STDMETHODIMP TextStream::get_AtEndOfLine(VARIANT_BOOL* EOL) {
  if (!EOL) return E_POINTER;
  streams::StreamLock lock(mutex_);
  return com::Guarded([&] {
    *EOL = reader_.AtEndOfLine() ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
  });
}

STDMETHODIMP TextStream::get_Line(LONG* Line) {
  if (!Line) return E_POINTER;
  streams::StreamLock lock(mutex_);
  *Line = reader_.line();
  return S_OK;
}

STDMETHODIMP TextStream::get_Column(LONG* Column) {
  if (!Column) return E_POINTER;
  streams::StreamLock lock(mutex_);
  *Column = reader_.column();
  return S_OK;
}

}  // namespace docket
