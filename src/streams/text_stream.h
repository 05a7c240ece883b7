// Sequential character access to one open file, through an inner BinaryStream.
#pragma once

#include "com/com_object.h"
#include "module/init_interfaces.h"

namespace docket {

class TextStream final : public com::ComObject<TextStream, ITextStream, ITextStreamInit> {
 public:
  static const CLSID& ClassId() { return CLSID_TextStream; }

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

  // ITextStreamInit
  STDMETHODIMP Create(BSTR fileName, VARIANT_BOOL overwrite, VARIANT_BOOL unicode) override;
  STDMETHODIMP Open(BSTR fileName, LONG ioMode, VARIANT_BOOL create, LONG format) override;
};

}  // namespace docket
