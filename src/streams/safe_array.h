// Owners for safe arrays: the array itself, and the window onto its elements that
// SafeArrayAccessData opens and SafeArrayUnaccessData must close.
#pragma once

#include "com/win.h"

#include <utility>

namespace docket::streams {

class UniqueSafeArray {
 public:
  UniqueSafeArray() = default;
  explicit UniqueSafeArray(SAFEARRAY* array) : array_(array) {}
  UniqueSafeArray(UniqueSafeArray&& o) noexcept : array_(o.release()) {}
  UniqueSafeArray& operator=(UniqueSafeArray&& o) noexcept {
    reset(o.release());
    return *this;
  }
  UniqueSafeArray(const UniqueSafeArray&) = delete;
  UniqueSafeArray& operator=(const UniqueSafeArray&) = delete;
  ~UniqueSafeArray() { reset(); }

  SAFEARRAY* get() const { return array_; }
  explicit operator bool() const { return array_ != nullptr; }
  SAFEARRAY* release() { return std::exchange(array_, nullptr); }
  void reset(SAFEARRAY* array = nullptr) {
    if (array_) ::SafeArrayDestroy(array_);
    array_ = array;
  }

  // Hands the array to a caller's variant as VT_ARRAY | elementType.
  void DetachInto(VARIANT* out, VARTYPE elementType) {
    V_VT(out) = static_cast<VARTYPE>(VT_ARRAY | elementType);
    V_ARRAY(out) = release();
  }

 private:
  SAFEARRAY* array_ = nullptr;
};

// The elements of a locked array; check ok() before using data().
template <class Element>
class SafeArrayData {
 public:
  explicit SafeArrayData(SAFEARRAY* array) : array_(array) {
    void* data = nullptr;
    hr_ = ::SafeArrayAccessData(array_, &data);
    data_ = static_cast<Element*>(data);
  }
  SafeArrayData(const SafeArrayData&) = delete;
  SafeArrayData& operator=(const SafeArrayData&) = delete;
  ~SafeArrayData() {
    if (SUCCEEDED(hr_)) ::SafeArrayUnaccessData(array_);
  }

  bool ok() const { return SUCCEEDED(hr_); }
  HRESULT result() const { return hr_; }
  Element* data() const { return data_; }

 private:
  SAFEARRAY* array_;
  HRESULT hr_;
  Element* data_ = nullptr;
};

}  // namespace docket::streams
