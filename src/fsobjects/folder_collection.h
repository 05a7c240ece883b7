// A snapshot of the subfolders of a folder.
#pragma once

#include "fsobjects/keyed_collection.h"
#include "module/init_interfaces.h"

namespace docket {

class FolderCollection final
    : public KeyedCollection<FolderCollection, IFolderCollection, IFolderCollectionInit, IFolder> {
 public:
  static const CLSID& ClassId() { return CLSID_Folders; }
};

}  // namespace docket
