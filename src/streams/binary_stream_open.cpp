// Opening a binary stream: a new file for writing, or an existing one in one of three modes.
#include "fsobjects/file_path.h"
#include "module/error_report.h"
#include "streams/binary_stream.h"
#include "streams/stream_lock.h"

namespace docket {
namespace {

struct ModeAccess {
  DWORD access;
  DWORD share;
};

// Access and sharing of each mode; false for a mode there is none for.
bool AccessFor(LONG ioMode, ModeAccess* out) {
  switch (ioMode) {
    case ForReading:
      *out = {GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE};
      return true;
    case ForWriting:
      *out = {GENERIC_WRITE, FILE_SHARE_READ};
      return true;
    case ForAppending:
      *out = {GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ};
      return true;
    default:
      return false;
  }
}

}  // namespace

STDMETHODIMP BinaryStream::Create(BSTR fileName, VARIANT_BOOL overwrite) {
  return binding_.BindOnce([&](std::monostate*) { return CreateNamed(fileName, overwrite); });
}

STDMETHODIMP BinaryStream::Open(BSTR fileName, LONG ioMode, VARIANT_BOOL create) {
  return binding_.BindOnce([&](std::monostate*) { return OpenNamed(fileName, ioMode, create); });
}

HRESULT BinaryStream::CreateNamed(BSTR fileName, VARIANT_BOOL overwrite) {
  streams::StreamLock lock(mutex_);
  return com::Guarded([&] {
    const PlatformPath path = ToPlatformPath(fileName);
    if (!path) return ReportRefusedPath(ClassId(), path);
    const DWORD error = file_.Open(path.text.c_str(), GENERIC_WRITE, FILE_SHARE_READ,
                                   overwrite ? CREATE_ALWAYS : CREATE_NEW);
    return error ? ReportFailure(error) : S_OK;
  });
}

HRESULT BinaryStream::OpenNamed(BSTR fileName, LONG ioMode, VARIANT_BOOL create) {
  streams::StreamLock lock(mutex_);
  return com::Guarded([&] {
    ModeAccess mode;
    if (!AccessFor(ioMode, &mode)) return ReportError(ClassId(), L"Unknown Mode.", 0);
    const PlatformPath path = ToPlatformPath(fileName);
    if (!path) return ReportRefusedPath(ClassId(), path);
    // Writing never truncates: it starts at the beginning and overwrites what is there.
    const DWORD error = file_.Open(path.text.c_str(), mode.access, mode.share,
                                   create ? OPEN_ALWAYS : OPEN_EXISTING);
    if (error) return ReportFailure(error);
    if (ioMode == ForAppending) {
      // Appending starts at the end, and an empty file is at its end at once, as if the whole
      // file had been read; a failure to get there is no failure of the open.
      ULONGLONG size = 0;
      if (file_.MoveToEnd(&size) == 0 && size == 0) atEnd_ = true;
    }
    return S_OK;
  });
}

}  // namespace docket
