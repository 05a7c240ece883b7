// The members of the module's dispatch interfaces, read from its type library: what the argument
// sweep calls, so that a member added to the library is swept without anyone listing it.
#pragma once

#include "com/win.h"

#include <string>
#include <vector>

namespace docket::test {

struct SweptParameter {
  std::wstring name;
  bool hasDefault = false;
  VARIANT defaultValue{};  // when hasDefault (owned by the member list)
};

struct SweptMember {
  std::wstring name;
  DISPID id = DISPID_UNKNOWN;
  WORD flags = 0;  // DISPATCH_METHOD, DISPATCH_PROPERTYGET, ...
  std::vector<SweptParameter> parameters;  // the [out, retval] result is not one of them

  // "Name", "Name get", "Name put" or "Name putref": the member as a line of the table names it.
  std::wstring Label() const;
};

struct SweptInterface {
  std::wstring name;
  IID iid{};
  std::vector<SweptMember> members;
};

// Every dual interface of the library, each with its own members in the library's order.
class SweptLibrary {
 public:
  explicit SweptLibrary(const std::wstring& modulePath);
  ~SweptLibrary();
  SweptLibrary(const SweptLibrary&) = delete;
  SweptLibrary& operator=(const SweptLibrary&) = delete;

  const std::vector<SweptInterface>& interfaces() const { return interfaces_; }
  const SweptInterface* Find(REFIID iid) const;

 private:
  std::vector<SweptInterface> interfaces_;
};

}  // namespace docket::test
