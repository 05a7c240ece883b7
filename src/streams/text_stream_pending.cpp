// Members of TextStream that are not built yet answer E_NOTIMPL.
#include "streams/text_stream.h"

namespace docket {

STDMETHODIMP TextStream::get_Line(LONG* Line) { return E_NOTIMPL; }
STDMETHODIMP TextStream::get_Column(LONG* Column) { return E_NOTIMPL; }
STDMETHODIMP TextStream::get_AtEndOfStream(VARIANT_BOOL* EOS) { return E_NOTIMPL; }
STDMETHODIMP TextStream::get_AtEndOfLine(VARIANT_BOOL* EOL) { return E_NOTIMPL; }
STDMETHODIMP TextStream::Read(LONG Characters, BSTR* Text) { return E_NOTIMPL; }
STDMETHODIMP TextStream::ReadLine(BSTR* Text) { return E_NOTIMPL; }
STDMETHODIMP TextStream::ReadAll(BSTR* Text) { return E_NOTIMPL; }
STDMETHODIMP TextStream::Write(BSTR Text) { return E_NOTIMPL; }
STDMETHODIMP TextStream::WriteLine(BSTR Text) { return E_NOTIMPL; }
STDMETHODIMP TextStream::WriteBlankLines(LONG Lines) { return E_NOTIMPL; }
STDMETHODIMP TextStream::Skip(LONG Characters) { return E_NOTIMPL; }
STDMETHODIMP TextStream::SkipLine() { return E_NOTIMPL; }
STDMETHODIMP TextStream::Close() { return E_NOTIMPL; }
STDMETHODIMP TextStream::Create(BSTR fileName, VARIANT_BOOL overwrite, VARIANT_BOOL unicode) { return E_NOTIMPL; }
STDMETHODIMP TextStream::Open(BSTR fileName, LONG ioMode, VARIANT_BOOL create, LONG format) { return E_NOTIMPL; }

}  // namespace docket
