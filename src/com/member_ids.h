// The member names of one dispatch interface with their dispatch identifiers, read once from the
// type library.
//
// A script engine may ask for a member's identifier before every call (Wine's VBScript does).
// The type library answers by walking every member and comparing names, which can cost more than
// the call's own work (a stream's ReadLine, say), so single names are answered from this table and
// everything else (several names, unknown names, the errors) is left to the type library.
#pragma once

#include "com/bstr.h"
#include "com/win.h"

#include <string>
#include <vector>

namespace docket::com {

class MemberIds {
 public:
  explicit MemberIds(REFIID iid) noexcept;

  // The identifier of a member named like `name` in any letter case; false when not known here.
  bool Find(const wchar_t* name, DISPID* id) const;

 private:
  struct Member {
    std::wstring name;
    DISPID id;
  };
  void Fill(REFIID iid);
  std::vector<Member> members_;
};

}  // namespace docket::com
