// Opening the file as a stream: the stream gets the file's path and keeps its own handle; the
// File has no part in it afterwards. An existing file is never created here.
#include "com/ansi.h"
#include "com/make_child.h"
#include "fsobjects/file.h"
#include "streams/binary_stream.h"
#include "streams/text_stream.h"

namespace docket {

STDMETHODIMP File::OpenAsTextStream(IOMode IOMode, Tristate Format, ITextStream** ppts) {
  if (!ppts) return E_POINTER;
  *ppts = nullptr;
  return location_.Use(ClassId(), [&](const Location& here) {
    const com::Bstr path = com::AnsiToBstr(here.path);
    return com::MakeChild<TextStream>(ppts, [&](TextStream& stream) {
      return stream.Open(path.get(), IOMode, VARIANT_FALSE, Format);
    });
  });
}

STDMETHODIMP File::OpenAsBinaryStream(IOMode IOMode, IBinaryStream** ppbs) {
  if (!ppbs) return E_POINTER;
  *ppbs = nullptr;
  return location_.Use(ClassId(), [&](const Location& here) {
    const com::Bstr path = com::AnsiToBstr(here.path);
    return com::MakeChild<BinaryStream>(
        ppbs, [&](BinaryStream& stream) { return stream.Open(path.get(), IOMode, VARIANT_FALSE); });
  });
}

}  // namespace docket
