// A variant the dictionary owns, movable so that it can live in the ordered store and in an
// enumerator's list. Moving takes the content over bit for bit and leaves the source empty;
// destruction clears it (an object in it loses the one reference the variant holds).
#pragma once

#include "com/win.h"

namespace docket {

class StoredVariant {
 public:
  StoredVariant() noexcept { ::VariantInit(&v_); }
  StoredVariant(StoredVariant&& other) noexcept : v_(other.v_) { ::VariantInit(&other.v_); }
  StoredVariant& operator=(StoredVariant&& other) noexcept {
    if (this != &other) {
      ::VariantClear(&v_);
      v_ = other.v_;
      ::VariantInit(&other.v_);
    }
    return *this;
  }
  StoredVariant(const StoredVariant&) = delete;
  StoredVariant& operator=(const StoredVariant&) = delete;
  ~StoredVariant() { ::VariantClear(&v_); }

  VARIANT* get() noexcept { return &v_; }
  const VARIANT* get() const noexcept { return &v_; }

  // A copy into the empty `out` (VariantCopy: an object gains a reference, a string is duplicated).
  HRESULT CopyTo(VARIANT* out) const { return ::VariantCopy(out, const_cast<VARIANT*>(&v_)); }

  friend void swap(StoredVariant& a, StoredVariant& b) noexcept {
    const VARIANT held = a.v_;
    a.v_ = b.v_;
    b.v_ = held;
  }

 private:
  VARIANT v_;
};

}  // namespace docket
