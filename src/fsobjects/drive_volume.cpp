// What a Drive reads from the volume behind it: label, file system, serial number, readiness and
// space. Every failure of the system is reported with its own text.
#include "com/ansi.h"
#include "fsobjects/drive.h"
#include "fsobjects/file_path.h"
#include "module/error_report.h"

namespace docket {
namespace {

struct VolumeFacts {
  char label[MAX_PATH] = {};
  char fileSystem[MAX_PATH] = {};
  DWORD serial = 0;
};

// False, with the system's last error set, when the volume cannot be asked (no medium, no root).
bool ReadVolume(const std::string& drivePath, VolumeFacts* facts) {
  DWORD longestName = 0, flags = 0;
  return ::GetVolumeInformationA(drivePath.c_str(), facts->label, sizeof facts->label,
                                 &facts->serial, &longestName, &flags, facts->fileSystem,
                                 sizeof facts->fileSystem) != FALSE;
}

}  // namespace

STDMETHODIMP Drive::get_VolumeName(BSTR* pbstrName) {
  DOCKET_RETURN_IF_NULL(pbstrName);
  *pbstrName = nullptr;
  return WithQueryRoot([&](const std::string& root) {
    VolumeFacts facts;
    if (!ReadVolume(root, &facts)) return ReportLastError(ClassId());
    return com::ReturnAnsi(facts.label, pbstrName);
  });
}

// An empty name removes the label. The name is converted as a path is, so that a NUL or a
// character the code page lacks is refused instead of reaching the volume altered.
STDMETHODIMP Drive::put_VolumeName(BSTR pbstrName) {
  return WithQueryRoot([&](const std::string& root) {
    const PlatformPath name = ToPlatformPath(pbstrName);
    if (!name) return ReportRefusedPath(ClassId(), name);
    if (!::SetVolumeLabelA(root.c_str(), name.text.c_str())) return ReportLastError(ClassId());
    return S_OK;
  });
}

STDMETHODIMP Drive::get_FileSystem(BSTR* pbstrFileSystem) {
  DOCKET_RETURN_IF_NULL(pbstrFileSystem);
  *pbstrFileSystem = nullptr;
  return WithQueryRoot([&](const std::string& root) {
    VolumeFacts facts;
    if (!ReadVolume(root, &facts)) return ReportLastError(ClassId());
    return com::ReturnAnsi(facts.fileSystem, pbstrFileSystem);
  });
}

STDMETHODIMP Drive::get_SerialNumber(LONG* pulSerialNumber) {
  DOCKET_RETURN_IF_NULL(pulSerialNumber);
  *pulSerialNumber = 0;
  return WithQueryRoot([&](const std::string& root) {
    VolumeFacts facts;
    if (!ReadVolume(root, &facts)) return ReportLastError(ClassId());
    *pulSerialNumber = static_cast<LONG>(facts.serial);
    return S_OK;
  });
}

STDMETHODIMP Drive::get_IsReady(VARIANT_BOOL* pfReady) {
  DOCKET_RETURN_IF_NULL(pfReady);
  *pfReady = VARIANT_FALSE;
  return WithQueryRoot([&](const std::string& root) {
    VolumeFacts facts;
    if (ReadVolume(root, &facts)) *pfReady = VARIANT_TRUE;
    return S_OK;
  });
}

// Free space counts all free bytes of the volume, whatever share of them a quota leaves this
// caller; AvailableSpace and FreeSpace give the same figure.
HRESULT Drive::ReturnSpace(bool total, VARIANT* out) {
  DOCKET_RETURN_IF_NULL(out);
  ::VariantInit(out);
  return WithQueryRoot([&](const std::string& root) {
    ULARGE_INTEGER callerFree, totalBytes, freeBytes;
    if (!::GetDiskFreeSpaceExA(root.c_str(), &callerFree, &totalBytes, &freeBytes))
      return ReportLastError(ClassId());
    V_VT(out) = VT_R8;
    V_R8(out) = static_cast<double>(total ? totalBytes.QuadPart : freeBytes.QuadPart);
    return S_OK;
  });
}

STDMETHODIMP Drive::get_AvailableSpace(VARIANT* pvarAvail) { return ReturnSpace(false, pvarAvail); }
STDMETHODIMP Drive::get_FreeSpace(VARIANT* pvarFree) { return ReturnSpace(false, pvarFree); }
STDMETHODIMP Drive::get_TotalSize(VARIANT* pvarTotal) { return ReturnSpace(true, pvarTotal); }

}  // namespace docket
