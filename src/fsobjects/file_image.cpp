// A File's image size and colour count. The header probe runs on the first read that needs it;
// what a completed probe measured is kept for the object's life, whatever later happens to the
// file. An empty file, and a probe that fails, leave nothing kept: the next read probes again.
#include "com/handles.h"
#include "com/srw_guard.h"
#include "fsobjects/file.h"
#include "module/error_report.h"

#include <algorithm>

namespace docket {
namespace {

// The probed file, read through its handle at any offset.
class FileByteSource final : public image::ByteSource {
 public:
  explicit FileByteSource(HANDLE file) : file_(file) {}

  image::ErrorNumber ReadAt(std::uint64_t offset, std::uint8_t* buffer, std::size_t count,
                            std::size_t* got) override {
    *got = 0;
    if (offset != position_) {  // a skip over a segment, or back to the start of the file
      LARGE_INTEGER to;
      to.QuadPart = static_cast<LONGLONG>(offset);
      if (!::SetFilePointerEx(file_, to, nullptr, FILE_BEGIN)) return ::GetLastError();
      position_ = offset;
    }
    while (*got < count) {
      DWORD read = 0;
      const DWORD ask = static_cast<DWORD>(std::min<std::size_t>(count - *got, MAXDWORD));
      if (!::ReadFile(file_, buffer + *got, ask, &read, nullptr)) return ::GetLastError();
      if (read == 0) break;  // the end of the file
      position_ += read;
      *got += read;
    }
    return 0;
  }

 private:
  HANDLE file_;
  std::uint64_t position_ = 0;  // where the handle's file pointer stands
};

}  // namespace

STDMETHODIMP File::get_ImageWidth(LONG* pWidth) {
  return ImageField(&image::Dimensions::width, pWidth);
}

STDMETHODIMP File::get_ImageHeight(LONG* pHeight) {
  return ImageField(&image::Dimensions::height, pHeight);
}

STDMETHODIMP File::get_ImageColor(LONG* pColors) {
  return ImageField(&image::Dimensions::colours, pColors);
}

HRESULT File::ImageField(std::uint32_t image::Dimensions::*field, LONG* out) {
  DOCKET_RETURN_IF_NULL(out);
  *out = 0;
  image::Dimensions dimensions;
  DOCKET_RETURN_IF_FAILED(ImageDimensions(&dimensions));
  *out = static_cast<LONG>(dimensions.*field);
  return S_OK;
}

HRESULT File::ImageDimensions(image::Dimensions* out) {
  {
    com::SharedGuard guard(objectLock_);
    if (imageProbed_) {
      *out = image_;
      return S_OK;
    }
  }
  // The probe runs without the lock: a slow disk holds up no other reader of this object.
  return location_.Use(ClassId(), [&](const Location& here) {
    com::UniqueFile file(::CreateFileA(here.path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                       OPEN_EXISTING, 0, nullptr));
    if (!file) return ReportLastError(ClassId());
    FileByteSource source(file.get());
    const image::ProbeResult probe = image::ProbeImage(source);
    if (probe.outcome == image::ProbeOutcome::kReadFailed)
      return ReportSystemError(ClassId(), probe.error);
    if (probe.outcome == image::ProbeOutcome::kUnknownType)
      return ReportError(ClassId(), "Can't determine the file's type", 0);
    if (!file.close()) return ReportLastError(ClassId());
    if (probe.outcome == image::ProbeOutcome::kEmpty) {
      *out = {};
      return S_OK;
    }
    com::ExclusiveGuard guard(objectLock_);
    // Of two probes that ran at once, the first to finish decides what is kept.
    if (!imageProbed_) {
      image_ = probe.dimensions;
      imageProbed_ = true;
    }
    *out = image_;
    return S_OK;
  });
}

}  // namespace docket
