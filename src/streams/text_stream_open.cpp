// Opening a text stream: a new file, or an existing one in the system code page or in UTF-16LE
// with its byte-order mark.
#include "streams/stream_lock.h"
#include "streams/text_stream.h"

namespace docket {
namespace {

constexpr BYTE kByteOrderMark[2] = {0xFF, 0xFE};

}  // namespace

STDMETHODIMP TextStream::Create(BSTR fileName, VARIANT_BOOL overwrite, VARIANT_BOOL unicode) {
  return binding_.BindOnce([&](std::monostate*) {
    streams::StreamLock lock(mutex_);
    return CreateLocked(fileName, overwrite, unicode);
  });
}

STDMETHODIMP TextStream::Open(BSTR fileName, LONG ioMode, VARIANT_BOOL create, LONG format) {
  return binding_.BindOnce([&](std::monostate*) {
    streams::StreamLock lock(mutex_);
    return OpenLocked(fileName, ioMode, create, format);
  });
}

HRESULT TextStream::CreateLocked(BSTR fileName, VARIANT_BOOL overwrite, VARIANT_BOOL unicode) {
  DOCKET_RETURN_IF_FAILED(source_.file().CreateNamed(fileName, overwrite));
  if (unicode) {
    if (const DWORD error = source_.file().WriteBytes(kByteOrderMark, sizeof kByteOrderMark))
      return Report(error);
  }
  source_.SetUnicode(unicode != VARIANT_FALSE);
  return S_OK;
}

HRESULT TextStream::OpenLocked(BSTR fileName, LONG ioMode, VARIANT_BOOL create, LONG format) {
  bool unicode = false;
  DOCKET_RETURN_IF_FAILED(DecideUnicode(fileName, create, format, &unicode));
  DOCKET_RETURN_IF_FAILED(source_.file().OpenNamed(fileName, ioMode, create));
  source_.SetUnicode(unicode);
  return unicode ? PassByteOrderMark(ioMode) : S_OK;
}

HRESULT TextStream::DecideUnicode(BSTR fileName, VARIANT_BOOL create, LONG format, bool* unicode) {
  if (format == TristateTrue || format == TristateFalse) {
    *unicode = format == TristateTrue;
    return S_OK;
  }
  // TristateUseDefault, and any value that names no format of its own: the file's first two
  // bytes decide. The probe's read stays on record, so an empty file is at its end at once.
  BinaryStream& file = source_.file();
  DOCKET_RETURN_IF_FAILED(file.OpenNamed(fileName, ForReading, create));
  BYTE mark[2] = {};
  DWORD got = 0;
  const DWORD error = file.ReadBytes(mark, sizeof mark, &got);
  file.CloseFile();
  if (error) return Report(error);
  *unicode = got == 2 && mark[0] == kByteOrderMark[0] && mark[1] == kByteOrderMark[1];
  return S_OK;
}

HRESULT TextStream::PassByteOrderMark(LONG ioMode) {
  BinaryStream& file = source_.file();
  DWORD error = 0;
  if (ioMode == ForReading) {
    // The first two bytes are the mark, whatever they hold: a Unicode file without one loses its
    // first character.
    BYTE mark[2];
    DWORD got = 0;
    error = file.ReadBytes(mark, sizeof mark, &got);
  } else if (ioMode == ForWriting) {
    // Writing can't read the mark, but it must not write over it either: text goes after the two
    // bytes that reading would take as the mark, and a file too short to have them gets one, as a
    // Unicode file that Create makes does.
    ULONGLONG size = 0;
    error = file.FileSize(&size);
    if (!error) error = size >= 2 ? file.MoveBy(2) : file.WriteBytes(kByteOrderMark, sizeof kByteOrderMark);
  }
  // Appending starts at the end and passes no mark.
  return error ? Report(error) : S_OK;
}

}  // namespace docket
