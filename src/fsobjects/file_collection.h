// A snapshot of the files of a folder that match its search pattern.
#pragma once

#include "fsobjects/keyed_collection.h"
#include "module/init_interfaces.h"

namespace docket {

class FileCollection final
    : public KeyedCollection<FileCollection, IFileCollection, IFileCollectionInit, IFile> {
 public:
  static const CLSID& ClassId() { return CLSID_Files; }
};

}  // namespace docket
