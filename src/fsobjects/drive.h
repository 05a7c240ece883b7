// One drive: a drive-letter root or a network share.
#pragma once

#include "com/com_object.h"
#include "module/init_interfaces.h"

namespace docket {

class Drive final : public com::ComObject<Drive, IDrive, IDriveInit> {
 public:
  static const CLSID& ClassId() { return CLSID_Drive; }

  // IDrive
  STDMETHODIMP get_Path(BSTR* pbstrPath) override;
  STDMETHODIMP get_DriveLetter(BSTR* pbstrLetter) override;
  STDMETHODIMP get_ShareName(BSTR* pbstrShareName) override;
  STDMETHODIMP get_DriveType(DriveTypeConst* pdt) override;
  STDMETHODIMP get_RootFolder(IFolder** ppfolder) override;
  STDMETHODIMP get_AvailableSpace(VARIANT* pvarAvail) override;
  STDMETHODIMP get_FreeSpace(VARIANT* pvarFree) override;
  STDMETHODIMP get_TotalSize(VARIANT* pvarTotal) override;
  STDMETHODIMP get_VolumeName(BSTR* pbstrName) override;
  STDMETHODIMP put_VolumeName(BSTR pbstrName) override;
  STDMETHODIMP get_FileSystem(BSTR* pbstrFileSystem) override;
  STDMETHODIMP get_SerialNumber(LONG* pulSerialNumber) override;
  STDMETHODIMP get_IsReady(VARIANT_BOOL* pfReady) override;

  // IDriveInit
  STDMETHODIMP Init(BSTR spec) override;
};

}  // namespace docket
