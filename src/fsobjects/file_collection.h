// A snapshot of the files of a folder that match its search pattern.
#pragma once

#include "com/com_object.h"
#include "module/init_interfaces.h"

namespace docket {

class FileCollection final : public com::ComObject<FileCollection, IFileCollection, IFileCollectionInit> {
 public:
  static const CLSID& ClassId() { return CLSID_Files; }

  // IFileCollection
  STDMETHODIMP get_Item(VARIANT Key, IFile** ppfile) override;
  STDMETHODIMP get__NewEnum(IUnknown** ppenum) override;
  STDMETHODIMP get_Count(LONG* plCount) override;

  // IFileCollectionInit
  STDMETHODIMP Add(VARIANT* key, VARIANT* item) override;
};

}  // namespace docket
