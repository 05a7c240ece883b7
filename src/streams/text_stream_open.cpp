// Opening a text stream: a new file, or an existing one in the system code page, in UTF-16LE
// with its byte-order mark, or in a code page the caller names (UTF-8 with or without a mark).
#include "streams/stream_lock.h"
#include "streams/text_stream.h"

#include <cstring>

namespace docket {
namespace {

constexpr BYTE kByteOrderMark[2] = {0xFF, 0xFE};
constexpr BYTE kUtf8Mark[3] = {0xEF, 0xBB, 0xBF};

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
  source_.SetEncoding(unicode ? streams::TextEncoding::Utf16() : streams::TextEncoding::SystemCodePage());
  return S_OK;
}

HRESULT TextStream::OpenLocked(BSTR fileName, LONG ioMode, VARIANT_BOOL create, LONG format) {
  streams::TextEncoding encoding;
  DWORD utf8Mark = 0;
  DOCKET_RETURN_IF_FAILED(DecideEncoding(fileName, ioMode, create, format, &encoding, &utf8Mark));
  DOCKET_RETURN_IF_FAILED(source_.file().OpenNamed(fileName, ioMode, create));
  source_.SetEncoding(encoding);
  if (encoding.unicode()) return PassByteOrderMark(ioMode);
  const DWORD error = utf8Mark ? source_.file().MoveBy(utf8Mark) : 0;
  return error ? Report(error) : S_OK;
}

HRESULT TextStream::DecideEncoding(BSTR fileName, LONG ioMode, VARIANT_BOOL create, LONG format,
                                   streams::TextEncoding* encoding, DWORD* utf8Mark) {
  if (format == TristateTrue || format == TristateFalse) {
    *encoding =
        format == TristateTrue ? streams::TextEncoding::Utf16() : streams::TextEncoding::SystemCodePage();
    return S_OK;
  }
  BYTE first[3] = {};
  DWORD got = 0;
  if (streams::IsStreamableCodePage(format)) {
    *encoding = streams::TextEncoding::CodePage(static_cast<UINT>(format));
    // Reading passes over a UTF-8 mark and writing keeps it; appending starts at the end.
    if (!encoding->utf8() || (ioMode != ForReading && ioMode != ForWriting)) return S_OK;
    DOCKET_RETURN_IF_FAILED(ReadLeadingBytes(fileName, create, first, sizeof kUtf8Mark, &got));
    if (got == sizeof kUtf8Mark && std::memcmp(first, kUtf8Mark, got) == 0) *utf8Mark = got;
    return S_OK;
  }
  // TristateUseDefault, and any value that names no format of its own: the file's first two
  // bytes decide.
  DOCKET_RETURN_IF_FAILED(ReadLeadingBytes(fileName, create, first, sizeof kByteOrderMark, &got));
  const bool unicode = got == 2 && first[0] == kByteOrderMark[0] && first[1] == kByteOrderMark[1];
  *encoding = unicode ? streams::TextEncoding::Utf16() : streams::TextEncoding::SystemCodePage();
  return S_OK;
}

HRESULT TextStream::ReadLeadingBytes(BSTR fileName, VARIANT_BOOL create, BYTE* bytes, DWORD size,
                                     DWORD* got) {
  // The probe's read stays on record, so an empty file is at its end at once.
  BinaryStream& file = source_.file();
  DOCKET_RETURN_IF_FAILED(file.OpenNamed(fileName, ForReading, create));
  const DWORD error = file.ReadBytes(bytes, size, got);
  file.CloseFile();
  return error ? Report(error) : S_OK;
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
