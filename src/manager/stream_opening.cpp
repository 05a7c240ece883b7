// Opening files as streams: each member makes a stream, hands it the caller's arguments as they
// came, and returns it; the stream keeps its own handle and the service keeps nothing.
#include "com/make_child.h"
#include "manager/file_manager.h"
#include "streams/binary_stream.h"
#include "streams/text_stream.h"

namespace docket {

STDMETHODIMP FileManager::CreateTextFile(BSTR FileName, VARIANT_BOOL Overwrite, VARIANT_BOOL Unicode,
                                         ITextStream** ppts) {
  if (!ppts) return E_POINTER;
  return com::MakeChild<TextStream>(
      ppts, [&](TextStream& stream) { return stream.Create(FileName, Overwrite, Unicode); });
}

STDMETHODIMP FileManager::OpenTextFile(BSTR FileName, IOMode IOMode, VARIANT_BOOL Create,
                                       Tristate Format, ITextStream** ppts) {
  if (!ppts) return E_POINTER;
  return com::MakeChild<TextStream>(
      ppts, [&](TextStream& stream) { return stream.Open(FileName, IOMode, Create, Format); });
}

STDMETHODIMP FileManager::CreateBinaryFile(BSTR FileName, VARIANT_BOOL Overwrite, IBinaryStream** ppbs) {
  if (!ppbs) return E_POINTER;
  return com::MakeChild<BinaryStream>(
      ppbs, [&](BinaryStream& stream) { return stream.Create(FileName, Overwrite); });
}

STDMETHODIMP FileManager::OpenBinaryFile(BSTR FileName, IOMode IOMode, VARIANT_BOOL Create,
                                         IBinaryStream** ppbs) {
  if (!ppbs) return E_POINTER;
  return com::MakeChild<BinaryStream>(
      ppbs, [&](BinaryStream& stream) { return stream.Open(FileName, IOMode, Create); });
}

}  // namespace docket
