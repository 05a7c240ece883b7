// A snapshot of the subfolders of a folder.
#pragma once

#include "com/com_object.h"
#include "module/init_interfaces.h"

namespace docket {

class FolderCollection final : public com::ComObject<FolderCollection, IFolderCollection, IFolderCollectionInit> {
 public:
  static const CLSID& ClassId() { return CLSID_Folders; }

  // IFolderCollection
  STDMETHODIMP get_Item(VARIANT Key, IFolder** ppfolder) override;
  STDMETHODIMP get__NewEnum(IUnknown** ppenum) override;
  STDMETHODIMP get_Count(LONG* plCount) override;

  // IFolderCollectionInit
  STDMETHODIMP Add(VARIANT* key, VARIANT* item) override;
};

}  // namespace docket
