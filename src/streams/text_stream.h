// Sequential character access to one open file, through an inner BinaryStream.
#pragma once

#include "com/com_object.h"
#include "module/init_interfaces.h"
#include "streams/file_char_source.h"
#include "streams/stream_lock.h"
#include "streams/text_reader.h"

#include <string>
#include <string_view>
#include <variant>

namespace docket {

class TextStream final : public com::ComObject<TextStream, ITextStream, ITextStreamInit> {
 public:
  static const CLSID& ClassId() { return CLSID_TextStream; }
  // Internal creation keeps its name beside the initialisation member called Create.
  using ComObject::Create;

  // ITextStream
  STDMETHODIMP get_Line(LONG* Line) override;
  STDMETHODIMP get_Column(LONG* Column) override;
  STDMETHODIMP get_AtEndOfStream(VARIANT_BOOL* EOS) override;
  STDMETHODIMP get_AtEndOfLine(VARIANT_BOOL* EOL) override;
  STDMETHODIMP Read(LONG Characters, BSTR* Text) override;
  STDMETHODIMP ReadLine(BSTR* Text) override;
  STDMETHODIMP ReadAll(BSTR* Text) override;
  STDMETHODIMP Write(BSTR Text) override;
  STDMETHODIMP WriteLine(BSTR Text) override;
  STDMETHODIMP WriteBlankLines(LONG Lines) override;
  STDMETHODIMP Skip(LONG Characters) override;
  STDMETHODIMP SkipLine() override;
  STDMETHODIMP Close() override;

  // ITextStreamInit: once; a stream that has its file refuses another with E_UNEXPECTED.
  STDMETHODIMP Create(BSTR fileName, VARIANT_BOOL overwrite, VARIANT_BOOL unicode) override;
  STDMETHODIMP Open(BSTR fileName, LONG ioMode, VARIANT_BOOL create, LONG format) override;

  HRESULT FinalConstruct() { return source_.MakeInnerStream(); }

 private:
  // Failures of the file are the inner stream's, and reach the caller as it reports them.
  static HRESULT Report(text::ErrorNumber error) { return BinaryStream::ReportFailure(error); }
  // Encodes `text`, then `lineEnds` times CR LF, and writes it all in one write.
  HRESULT WriteEncoded(std::wstring_view text, LONG lineEnds);
  // Decides the encoding of Open: asks the file for its byte-order mark when `format` says so.
  // `utf8Mark` is the size of the UTF-8 mark the file begins with, when reading or writing passes it.
  HRESULT DecideEncoding(BSTR fileName, LONG ioMode, VARIANT_BOOL create, LONG format,
                         streams::TextEncoding* encoding, DWORD* utf8Mark);
  // Reads the first bytes of the file through the inner stream, opened for the purpose and
  // closed again.
  HRESULT ReadLeadingBytes(BSTR fileName, VARIANT_BOOL create, BYTE* bytes, DWORD size, DWORD* got);
  // Steps over the mark that begins a Unicode file (or, for writing, puts one there).
  HRESULT PassByteOrderMark(LONG ioMode);

  // The work of the two initialisations, under the stream's lock.
  HRESULT CreateLocked(BSTR fileName, VARIANT_BOOL overwrite, VARIANT_BOOL unicode);
  HRESULT OpenLocked(BSTR fileName, LONG ioMode, VARIANT_BOOL create, LONG format);

  Binding<std::monostate> binding_;  // set by the initialisation that opened the file
  streams::StreamMutex mutex_;
  streams::FileCharSource source_;
  text::TextReader reader_{source_};
  // Work spaces of ReadLine and of the writes, kept between calls to save an allocation a line.
  std::u16string line_;
  std::string bytes_;
};

}  // namespace docket
