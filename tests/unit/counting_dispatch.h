// A test object that counts its own references and notes its destruction, to see exactly who
// holds it. It answers IUnknown and IDispatch (with no members) only.
#pragma once

#include "test_dispatch.h"

#include <functional>
#include <utility>

namespace docket::test {

class CountingDispatch final : public TestDispatch {
 public:
  // A new object with one reference, the caller's; *destroyed becomes true when it goes, and then
  // `onDestroyed` runs (to call back into whoever released it last).
  static CountingDispatch* New(bool* destroyed, std::function<void()> onDestroyed = {}) {
    *destroyed = false;
    return new CountingDispatch(destroyed, std::move(onDestroyed));
  }
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return DISP_E_UNKNOWNNAME; }
  STDMETHODIMP Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
    return DISP_E_MEMBERNOTFOUND;
  }

 private:
  CountingDispatch(bool* destroyed, std::function<void()> onDestroyed)
      : destroyed_(destroyed), onDestroyed_(std::move(onDestroyed)) {}
  ~CountingDispatch() override {
    *destroyed_ = true;
    if (onDestroyed_) onDestroyed_();
  }
  bool* destroyed_;
  std::function<void()> onDestroyed_;
};

// A variant that refers to the caller's pointer, as a folder hands a new object over to Add.
inline VARIANT ByReference(IDispatch** held) {
  VARIANT v{};
  V_VT(&v) = VT_BYREF | VT_DISPATCH;
  V_DISPATCHREF(&v) = held;
  return v;
}

}  // namespace docket::test
