// The single place where C++ exceptions become result codes: every COM entry point that may
// allocate runs its body through Guarded, so nothing thrown crosses the interface.
#pragma once

#include "com/win.h"

#include <new>

namespace docket::com {

template <class Body>
HRESULT Guarded(Body&& body) noexcept {
  try {
    return body();
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (...) {
    return E_UNEXPECTED;
  }
}

}  // namespace docket::com

#define DOCKET_RETURN_IF_FAILED(expr)      \
  do {                                     \
    const HRESULT hr_ = (expr);            \
    if (FAILED(hr_)) return hr_;           \
  } while (0)

#define DOCKET_RETURN_IF_NULL(ptr) \
  do {                             \
    if (!(ptr)) return E_POINTER;  \
  } while (0)
