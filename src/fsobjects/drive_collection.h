// A snapshot of the machine's logical drives, keyed by their roots as the system lists them.
#pragma once

#include "fsobjects/keyed_collection.h"
#include "module/init_interfaces.h"

namespace docket {

class DriveCollection final
    : public KeyedCollection<DriveCollection, IDriveCollection, IDriveCollectionInit, IDrive> {
 public:
  static const CLSID& ClassId() { return CLSID_Drives; }
};

}  // namespace docket
