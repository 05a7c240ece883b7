// The members of the module's dual interfaces, read from its type library: what the argument sweep
// calls, so that a member added to the library is swept without anyone listing it.
#pragma once

#include "com/bstr.h"
#include "com/com_ptr.h"
#include "com/win.h"

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace docket::test {

struct SweptParameter {
  std::wstring name;
  std::shared_ptr<VARIANT> defaultValue;  // when the library gives one
};

struct SweptMember {
  std::wstring name;
  DISPID id = DISPID_UNKNOWN;
  WORD flags = 0;  // DISPATCH_METHOD, DISPATCH_PROPERTYGET, ...
  std::vector<SweptParameter> parameters;  // the [out, retval] result is not one of them

  // "Name", "Name get", "Name put" or "Name putref": the member as a line of the table names it.
  std::wstring Label() const {
    return name + (flags == DISPATCH_PROPERTYGET   ? L" get"
                   : flags == DISPATCH_PROPERTYPUT ? L" put"
                   : flags == DISPATCH_PROPERTYPUTREF ? L" putref" : L"");
  }
};

struct SweptInterface {
  std::wstring name;
  IID iid{};
  std::vector<SweptMember> members;
};

inline SweptMember SweptMemberOf(ITypeInfo* info, const FUNCDESC& function) {
  SweptMember member{L"", function.memid, static_cast<WORD>(function.invkind), {}};
  BSTR names[32] = {};
  UINT count = 0;
  info->GetNames(function.memid, names, 32, &count);
  member.name = names[0] ? names[0] : L"";
  // Names are looked up by member id, which a property's get and put share: a put's value is
  // called "value" whatever the library answers for it.
  const bool put = function.invkind & (INVOKE_PROPERTYPUT | INVOKE_PROPERTYPUTREF);
  for (SHORT i = 0; i < function.cParams; ++i) {
    const PARAMDESC& description = function.lprgelemdescParam[i].paramdesc;
    if (description.wParamFlags & PARAMFLAG_FRETVAL) continue;
    const bool value = put && i == function.cParams - 1;
    SweptParameter& parameter = member.parameters.emplace_back();
    parameter.name = !value && static_cast<UINT>(i + 1) < count && names[i + 1] ? names[i + 1] : L"value";
    if (!(description.wParamFlags & PARAMFLAG_FHASDEFAULT)) continue;
    parameter.defaultValue.reset(new VARIANT{}, [](VARIANT* v) { ::VariantClear(v), delete v; });
    ::VariantCopy(parameter.defaultValue.get(), &description.pparamdescex->varDefaultValue);
  }
  for (UINT i = 0; i < count; ++i) ::SysFreeString(names[i]);
  return member;
}

// Every dual interface of the module's type library, each with its own members in the library's order.
inline std::vector<SweptInterface> SweptInterfaces(const std::wstring& modulePath) {
  com::ComPtr<ITypeLib> lib;
  if (FAILED(::LoadTypeLibEx(modulePath.c_str(), REGKIND_NONE, lib.put())))
    throw std::runtime_error("the module has no type library");
  std::vector<SweptInterface> interfaces;
  for (UINT index = 0; index < lib->GetTypeInfoCount(); ++index) {
    com::ComPtr<ITypeInfo> info, own;
    lib->GetTypeInfo(index, info.put());
    TYPEATTR* attr = nullptr;
    info->GetTypeAttr(&attr);
    SweptInterface swept{L"", attr->guid, {}};
    const bool dual = attr->typekind == TKIND_DISPATCH && (attr->wTypeFlags & TYPEFLAG_FDUAL);
    info->ReleaseTypeAttr(attr);
    if (!dual) continue;
    // The interface side of a dual interface lists its own members only, without IDispatch's.
    HREFTYPE ref = 0;
    if (FAILED(info->GetRefTypeOfImplType(-1, &ref)) || FAILED(info->GetRefTypeInfo(ref, own.put())))
      throw std::runtime_error("a dual interface without its interface side");
    com::Bstr name;
    own->GetDocumentation(MEMBERID_NIL, name.put(), nullptr, nullptr, nullptr);
    swept.name = std::wstring(name.view());
    own->GetTypeAttr(&attr);
    for (WORD i = 0; i < attr->cFuncs; ++i) {
      FUNCDESC* function = nullptr;
      own->GetFuncDesc(i, &function);
      swept.members.push_back(SweptMemberOf(own.get(), *function));
      own->ReleaseFuncDesc(function);
    }
    own->ReleaseTypeAttr(attr);
    interfaces.push_back(std::move(swept));
  }
  return interfaces;
}

}  // namespace docket::test
