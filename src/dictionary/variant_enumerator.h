// The enumerator of the dictionary (and of the collections built on it): it walks its own list
// of copies of the items, taken when it was made.
#pragma once

#include "com/list_enumerator.h"
#include "dictionary/stored_variant.h"

#include <vector>

namespace docket {

struct StoredItems : std::vector<StoredVariant> {
  size_t Count() const { return size(); }
  HRESULT CopyItem(size_t index, VARIANT* out) const { return (*this)[index].CopyTo(out); }
};

using VariantEnumerator = com::ListEnumerator<StoredItems>;

}  // namespace docket
