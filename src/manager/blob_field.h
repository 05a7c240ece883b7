// The database field that ExportToBlob and ImportFromBlob move bytes through: any automation object
// with the methods AppendChunk and GetChunk, called late-bound, by name, one chunk at a time.
#pragma once

#include "com/com_ptr.h"
#include "com/win.h"

namespace docket::blob {

// The size of one chunk: what AppendChunk gets at the most, and what GetChunk is asked for.
inline constexpr ULONG kChunkBytes = 49152;

// One method of a field, looked up once and then called with one argument at a time.
class FieldMethod {
 public:
  // The method `name` of the object in a script's field argument (a script variable arrives as a
  // reference to itself, VT_BYREF | VT_VARIANT, which is followed first). Refused under
  // `reporter`'s class when the argument holds no object, or the object has no such method.
  HRESULT Find(const VARIANT& argument, const wchar_t* name, REFCLSID reporter);

  // Calls the method with `value`, passed as a reference to a variant, and leaves its answer in
  // the empty `result`. A failure is the call's own code. An exception the field raised is
  // passed on as the error of `reporter`'s class, with the field's own code and description.
  HRESULT Call(VARIANT* value, VARIANT* result, REFCLSID reporter) const;

 private:
  com::ComPtr<IDispatch> field_;
  DISPID id_ = DISPID_UNKNOWN;
  LCID locale_ = 0;
};

}  // namespace docket::blob
