// One drive: a drive-letter root or a network share. The object keeps nothing but the path it was
// made for; every property asks the system afresh, so a drive that becomes ready later says so.
#pragma once

#include "com/ansi.h"
#include "com/com_object.h"
#include "fsobjects/drive_spec.h"
#include "module/binding.h"
#include "module/init_interfaces.h"

#include <string>

namespace docket {

class Drive final : public com::ComObject<Drive, IDrive, IDriveInit> {
 public:
  static const CLSID& ClassId() { return CLSID_Drive; }

  // True when a script's DriveSpec names a drive or a share that is there: a UNC path
  // that exists, or a short form (C, C:, C:\) whose root exists. Longer texts are never drives.
  static bool Exists(const std::string& spec);

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

  // IDriveInit: a script's DriveSpec, converted as every path argument is, which must name
  // a drive root or an existing path.
  STDMETHODIMP Init(BSTR spec) override;

  // A root the system has just listed (C:\) is taken as it is, without asking the system again
  // whether it exists.
  HRESULT InitListedRoot(const std::string& root);

 private:
  // A short DriveSpec is kept in its completed root form (C:\), which the volume queries
  // need; a longer one (a share, or another existing path) as written, and marked as a share.
  struct Location {
    std::string path;
    bool share = false;
  };

  // body(root) with the root the volume queries take, or the refusal of a drive created by name.
  template <class Body>
  HRESULT WithQueryRoot(Body&& body) const {
    return location_.Use(ClassId(), [&](const Location& here) {
      return body(drivespec::QueryRoot(here.path, com::SystemLeadBytes()));
    });
  }
  // Total or free bytes of the volume as a double, exact far beyond 4 GiB.
  HRESULT ReturnSpace(bool total, VARIANT* out);

  Binding<Location> location_;
};

}  // namespace docket
