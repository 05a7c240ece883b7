#include "com/member_ids.h"

#include "com/type_info_cache.h"

namespace docket::com {
namespace {

// Member names are ASCII identifiers; anything else is left to the type library's comparison.
wchar_t FoldAscii(wchar_t c) { return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c + 32) : c; }

}  // namespace

// Built inside GetIDsOfNames, where nothing may be thrown: when memory runs out the table stays
// empty and every name goes to the type library instead.
MemberIds::MemberIds(REFIID iid) noexcept {
  try {
    Fill(iid);
  } catch (...) {
    members_.clear();
  }
}

void MemberIds::Fill(REFIID iid) {
  HRESULT hr = S_OK;
  ITypeInfo* info = TypeInfoFor(iid, &hr);
  TYPEATTR* attributes = nullptr;
  if (!info || FAILED(info->GetTypeAttr(&attributes))) return;
  const WORD functions = attributes->cFuncs;
  info->ReleaseTypeAttr(attributes);
  for (UINT i = 0; i < functions; ++i) {
    FUNCDESC* function = nullptr;
    if (FAILED(info->GetFuncDesc(i, &function))) continue;
    const MEMBERID id = function->memid;
    info->ReleaseFuncDesc(function);
    Bstr name;
    UINT got = 0;
    if (FAILED(info->GetNames(id, name.put(), 1, &got)) || got != 1) continue;
    std::wstring folded(name.view());
    for (wchar_t& c : folded) c = FoldAscii(c);
    members_.push_back({std::move(folded), id});  // a property's get and put share one entry's id
  }
}

bool MemberIds::Find(const wchar_t* name, DISPID* id) const {
  if (!name) return false;
  for (const Member& member : members_) {
    size_t i = 0;
    while (i < member.name.size() && name[i] && FoldAscii(name[i]) == member.name[i]) ++i;
    if (i == member.name.size() && name[i] == L'\0') {
      *id = member.id;
      return true;
    }
  }
  return false;
}

}  // namespace docket::com
