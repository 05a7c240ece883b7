// Owner of an automation string.
#pragma once

#include "com/win.h"

#include <climits>
#include <new>
#include <string_view>
#include <utility>

namespace docket::com {

class Bstr {
 public:
  Bstr() = default;
  // Copies the text; throws std::bad_alloc when the system cannot allocate it.
  explicit Bstr(std::wstring_view text) : s_(Alloc(text)) {}
  Bstr(Bstr&& o) noexcept : s_(o.release()) {}
  Bstr& operator=(Bstr&& o) noexcept {
    reset(o.release());
    return *this;
  }
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;
  ~Bstr() { reset(); }

  static Bstr Attach(BSTR s) {
    Bstr b;
    b.s_ = s;
    return b;
  }

  BSTR get() const { return s_; }
  UINT length() const { return ::SysStringLen(s_); }
  std::wstring_view view() const { return {s_ ? s_ : L"", length()}; }
  BSTR* put() {
    reset();
    return &s_;
  }
  BSTR release() { return std::exchange(s_, nullptr); }
  void reset(BSTR s = nullptr) {
    if (s_) ::SysFreeString(s_);
    s_ = s;
  }

 private:
  static BSTR Alloc(std::wstring_view text) {
    // The byte length is stored in 32 bits: a longer text is refused, never cut to its low bits.
    if (text.size() > INT_MAX) throw std::bad_alloc();
    BSTR s = ::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    if (!s) throw std::bad_alloc();
    return s;
  }
  BSTR s_ = nullptr;
};

// The length of a possibly null automation string: a null string counts as empty.
inline std::wstring_view View(BSTR s) { return {s ? s : L"", ::SysStringLen(s)}; }

}  // namespace docket::com
