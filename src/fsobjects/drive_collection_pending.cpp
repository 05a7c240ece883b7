// Members of DriveCollection that are not built yet answer E_NOTIMPL.
#include "fsobjects/drive_collection.h"

namespace docket {

STDMETHODIMP DriveCollection::get_Item(VARIANT Key, IDrive** ppdrive) { return E_NOTIMPL; }
STDMETHODIMP DriveCollection::get__NewEnum(IUnknown** ppenum) { return E_NOTIMPL; }
STDMETHODIMP DriveCollection::get_Count(LONG* plCount) { return E_NOTIMPL; }
STDMETHODIMP DriveCollection::Add(VARIANT* key, VARIANT* item) { return E_NOTIMPL; }

}  // namespace docket
