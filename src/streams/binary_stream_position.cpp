// Moving within a binary stream and closing it, and the one way its failures are reported.
#include "module/error_report.h"
#include "streams/binary_stream.h"
#include "streams/stream_lock.h"

namespace docket {

HRESULT BinaryStream::ReportFailure(DWORD error) {
  if (error == streams::ReadAheadFile::kNeverOpened) return ReportUnbound(ClassId());
  return ReportSystemError(ClassId(), error);
}

STDMETHODIMP BinaryStream::Skip(LONG Bytes) {
  streams::StreamLock lock(mutex_);
  // Past the end is no failure, and the end-of-stream flag stays as it is either way.
  const DWORD error = file_.MoveBy(Bytes);
  return error ? ReportFailure(error) : S_OK;
}

STDMETHODIMP BinaryStream::Close() {
  streams::StreamLock lock(mutex_);
  file_.Close();
  return S_OK;
}

}  // namespace docket
