#include "com/type_info_cache.h"

#include "com/module_state.h"

#include <array>

namespace docket::com {
namespace {

struct Slot {
  IID iid;
  ITypeInfo* info;
};

// Enough slots for every dispatch interface of the library.
std::array<Slot, 16> g_slots{};
LONG g_used = 0;  // guarded by g_slotLock
SRWLOCK g_slotLock = SRWLOCK_INIT;
ITypeLib* volatile g_lib = nullptr;

ITypeLib* Library(HRESULT* hr) {
  if (ITypeLib* lib = g_lib) return lib;
  ITypeLib* fresh = nullptr;
  *hr = LoadModuleTypeLib(&fresh);
  if (FAILED(*hr)) return nullptr;
  if (::InterlockedCompareExchangePointer(reinterpret_cast<void* volatile*>(&g_lib), fresh,
                                          nullptr) != nullptr)
    fresh->Release();
  return g_lib;
}

}  // namespace

HRESULT LoadModuleTypeLib(ITypeLib** lib) {
  std::wstring path = ModuleState::Path();
  HRESULT hr = ::LoadTypeLibEx(path.c_str(), REGKIND_NONE, lib);
  if (SUCCEEDED(hr)) return hr;
  const size_t dot = path.find_last_of(L'.');
  const size_t sep = path.find_last_of(L"\\/:");
  if (dot != std::wstring::npos && (sep == std::wstring::npos || dot > sep)) path.resize(dot);
  path += L".tlb";
  return ::LoadTypeLibEx(path.c_str(), REGKIND_NONE, lib);
}

ITypeInfo* TypeInfoFor(REFIID iid, HRESULT* hr) {
  *hr = S_OK;
  {
    ::AcquireSRWLockShared(&g_slotLock);
    for (LONG i = 0; i < g_used; ++i) {
      if (::IsEqualIID(g_slots[i].iid, iid)) {
        ITypeInfo* info = g_slots[i].info;
        ::ReleaseSRWLockShared(&g_slotLock);
        return info;
      }
    }
    ::ReleaseSRWLockShared(&g_slotLock);
  }
  ITypeLib* lib = Library(hr);
  if (!lib) return nullptr;
  ITypeInfo* info = nullptr;
  *hr = lib->GetTypeInfoOfGuid(iid, &info);
  if (FAILED(*hr)) return nullptr;

  ::AcquireSRWLockExclusive(&g_slotLock);
  for (LONG i = 0; i < g_used; ++i) {
    if (::IsEqualIID(g_slots[i].iid, iid)) {  // another thread got there first
      ITypeInfo* kept = g_slots[i].info;
      ::ReleaseSRWLockExclusive(&g_slotLock);
      info->Release();
      return kept;
    }
  }
  if (g_used == static_cast<LONG>(g_slots.size())) {
    ::ReleaseSRWLockExclusive(&g_slotLock);
    info->Release();
    *hr = E_OUTOFMEMORY;
    return nullptr;
  }
  g_slots[g_used].iid = iid;
  g_slots[g_used].info = info;
  ++g_used;
  ::ReleaseSRWLockExclusive(&g_slotLock);
  return info;
}

void ReleaseTypeInfoCache() {
  ::AcquireSRWLockExclusive(&g_slotLock);
  for (LONG i = 0; i < g_used; ++i) {
    g_slots[i].info->Release();
    g_slots[i].info = nullptr;
  }
  g_used = 0;
  if (g_lib) {
    g_lib->Release();
    g_lib = nullptr;
  }
  ::ReleaseSRWLockExclusive(&g_slotLock);
}

}  // namespace docket::com
