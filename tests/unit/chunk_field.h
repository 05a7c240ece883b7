// A database field for the blob tests: an automation object with AppendChunk and GetChunk that the
// module calls late-bound. It keeps the bytes appended (or only counts them), gives bytes or
// prepared answers back from GetChunk, and can fail from a given call on. A call whose arguments
// are not what the module promises to pass fails.
#pragma once

#include "test_dispatch.h"

#include <algorithm>
#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace docket::test {

class ChunkField final : public TestDispatch {
 public:
  static constexpr DISPID kAppendChunk = 1, kGetChunk = 2;
  static ChunkField* New() { return new ChunkField; }  // with one reference, the caller's

  std::string bytes;                // appended; GetChunk gives them back from `given` on, then Null
  size_t given = 0;
  bool keepBytes = true;            // false: AppendChunk only counts
  std::uint64_t appendedCount = 0;  // bytes appended, kept or not
  std::vector<ULONG> appendedSizes;
  std::uint64_t zerosToGive = 0;    // when not 0, GetChunk gives this many zero bytes instead
  std::deque<VARIANT> answers;      // when not empty, GetChunk gives these first (owned here)
  int calls = 0;
  int failFromCall = 0;  // from this call (1-based) on, every call raises 0x80040123

  std::function<void()> onCall;

  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
    const std::wstring name = count == 1 ? names[0] : L"";
    *ids = name == L"AppendChunk" ? kAppendChunk : name == L"GetChunk" ? kGetChunk : DISPID_UNKNOWN;
    return *ids == DISPID_UNKNOWN ? DISP_E_UNKNOWNNAME : S_OK;
  }
  STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* parameters,
                      VARIANT* result, EXCEPINFO* exception, UINT*) override {
    ++calls;
    if (onCall) onCall();
    if (flags != DISPATCH_METHOD || parameters->cArgs != 1 || parameters->cNamedArgs != 0 || !result ||
        V_VT(&parameters->rgvarg[0]) != (VT_BYREF | VT_VARIANT))
      return DISP_E_BADPARAMCOUNT;
    if (failFromCall && calls >= failFromCall) {
      *exception = EXCEPINFO{};
      exception->scode = static_cast<HRESULT>(0x80040123);
      exception->bstrDescription = ::SysAllocString(L"The field's connection broke.");
      return DISP_E_EXCEPTION;
    }
    const VARIANT& value = *V_VARIANTREF(&parameters->rgvarg[0]);
    return id == kAppendChunk ? AppendChunk(value) : GetChunk(value, result);
  }

 private:
  ChunkField() = default;
  ~ChunkField() override {
    for (VARIANT& answer : answers) ::VariantClear(&answer);
  }

  HRESULT AppendChunk(const VARIANT& chunk) {
    SAFEARRAY* array = V_ARRAY(&chunk);
    if (V_VT(&chunk) != (VT_ARRAY | VT_UI1) || ::SafeArrayGetDim(array) != 1 ||
        array->rgsabound[0].lLbound != 0)
      return DISP_E_TYPEMISMATCH;
    const ULONG size = array->rgsabound[0].cElements;
    appendedSizes.push_back(size);
    appendedCount += size;
    if (keepBytes) bytes.append(static_cast<const char*>(array->pvData), size);
    return S_OK;
  }

  HRESULT GetChunk(const VARIANT& size, VARIANT* result) {
    if (V_VT(&size) != VT_I4) return DISP_E_TYPEMISMATCH;
    if (!answers.empty()) {
      *result = answers.front();  // the caller owns it now
      answers.pop_front();
      return S_OK;
    }
    const std::uint64_t left = zerosToGive ? zerosToGive : bytes.size() - given;
    const ULONG n = static_cast<ULONG>(std::min<std::uint64_t>(left, V_I4(&size)));
    V_VT(result) = n ? VT_ARRAY | VT_UI1 : VT_NULL;
    if (!n) return S_OK;
    V_ARRAY(result) = ::SafeArrayCreateVector(VT_UI1, 0, n);
    if (zerosToGive) {
      zerosToGive -= n;
    } else {
      std::copy_n(bytes.data() + given, n, static_cast<char*>(V_ARRAY(result)->pvData));
      given += n;
    }
    return S_OK;
  }
};

}  // namespace docket::test
