// Owner of an automation variant.
#pragma once

#include "com/win.h"

namespace docket::com {

class Variant {
 public:
  Variant() { ::VariantInit(&v_); }
  Variant(const Variant&) = delete;
  Variant& operator=(const Variant&) = delete;
  ~Variant() { ::VariantClear(&v_); }

  VARIANT* get() { return &v_; }
  const VARIANT* get() const { return &v_; }
  VARIANT* operator->() { return &v_; }
  VARTYPE type() const { return V_VT(&v_); }
  VARIANT* put() {
    ::VariantClear(&v_);
    return &v_;
  }
  // Hands the content to a caller-owned variant (which must be cleared or empty) and empties this.
  void detach(VARIANT* out) {
    *out = v_;
    ::VariantInit(&v_);
  }

 private:
  VARIANT v_;
};

}  // namespace docket::com
