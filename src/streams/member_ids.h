// The member names of one dispatch interface with their dispatch identifiers, read once from the
// type library.
//
// A script engine asks for a member's identifier before every call: Wine's VBScript, for one,
// calls GetIDsOfNames afresh each time. The type library answers by walking every member and
// comparing names, which costs more than a stream call's own work; streams are called once per
// line, so they answer single names from this table and leave everything else (several names,
// unknown names, the errors) to the type library.
#pragma once

#include "com/win.h"

#include <string>
#include <vector>

namespace docket::streams {

class MemberIds {
 public:
  explicit MemberIds(REFIID iid);

  // The identifier of a member named like `name` in any letter case; false when not known here.
  bool Find(const wchar_t* name, DISPID* id) const;

 private:
  struct Member {
    std::wstring name;
    DISPID id;
  };
  std::vector<Member> members_;
};

// GetIDsOfNames of a class whose dispatch interface is `Dispatch`, answered from the table
// first; `fallback` is the type library's own answer.
template <class Dispatch, class Fallback>
HRESULT FindMemberIds(REFIID riid, LPOLESTR* names, UINT count, DISPID* ids, Fallback&& fallback) {
  static const MemberIds known(__uuidof(Dispatch));
  if (count == 1 && names && ids && ::IsEqualIID(riid, IID_NULL) && known.Find(names[0], ids))
    return S_OK;
  return fallback();
}

}  // namespace docket::streams
