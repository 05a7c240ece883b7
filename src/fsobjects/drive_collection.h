// A snapshot of the machine's logical drives.
#pragma once

#include "com/com_object.h"
#include "module/init_interfaces.h"

namespace docket {

class DriveCollection final : public com::ComObject<DriveCollection, IDriveCollection, IDriveCollectionInit> {
 public:
  static const CLSID& ClassId() { return CLSID_Drives; }

  // IDriveCollection
  STDMETHODIMP get_Item(VARIANT Key, IDrive** ppdrive) override;
  STDMETHODIMP get__NewEnum(IUnknown** ppenum) override;
  STDMETHODIMP get_Count(LONG* plCount) override;

  // IDriveCollectionInit
  STDMETHODIMP Add(VARIANT* key, VARIANT* item) override;
};

}  // namespace docket
