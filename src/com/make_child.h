// Internal creation of a child object: make it, hand it its path or data once (through its
// private initialisation), and give the caller its dispatch interface, of which the caller then
// holds the only reference. A failed initialisation destroys the object and is returned as it is;
// so does anything thrown on the way (as E_OUTOFMEMORY or E_UNEXPECTED), which never gets past here.
#pragma once

#include "com/com_ptr.h"
#include "com/guard.h"

namespace docket::com {

template <class T, class Init>
HRESULT MakeChild(typename T::Dispatch** out, Init&& init) {
  *out = nullptr;
  return Guarded([&]() -> HRESULT {
    ComPtr<T> child;
    DOCKET_RETURN_IF_FAILED(T::Create(&child));
    DOCKET_RETURN_IF_FAILED(init(*child.get()));
    *out = static_cast<typename T::Dispatch*>(child.detach());
    return S_OK;
  });
}

}  // namespace docket::com
