// The system's script control, to run a few lines of VBScript or JScript over an object made in
// a test (a collection filled through its private interface, which no script can reach).
#pragma once

#include "support/test_support.h"

#include <string>

namespace docket::test {

class ScriptControl {
 public:
  explicit ScriptControl(const wchar_t* language) {
    CLSID clsid;
    if (FAILED(::CLSIDFromProgID(L"MSScriptControl.ScriptControl", &clsid))) return;
    if (FAILED(::CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                                  control_.put_void())))
      return;
    CallByName(control_.get(), L"Language", DISPATCH_PROPERTYPUT, {VBstr(language)});
  }

  bool available() const { return static_cast<bool>(control_); }

  // Makes `object` a global of the scripts under `name`.
  HRESULT AddObject(const wchar_t* name, IUnknown* object) {
    VARIANT v;
    V_VT(&v) = VT_DISPATCH;
    if (FAILED(object->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&V_DISPATCH(&v)))))
      return E_NOINTERFACE;
    return CallByName(control_.get(), L"AddObject", DISPATCH_METHOD, {VBstr(name), v}).hr;
  }

  HRESULT AddCode(const wchar_t* code) {
    return CallByName(control_.get(), L"AddCode", DISPATCH_METHOD, {VBstr(code)}).hr;
  }

  // The value of an expression, or the failure of evaluating it.
  CallResult Eval(const wchar_t* expression, VARIANT* result) {
    return CallByName(control_.get(), L"Eval", DISPATCH_METHOD, {VBstr(expression)}, result);
  }

 private:
  ComPtr<IDispatch> control_;
};

}  // namespace docket::test
