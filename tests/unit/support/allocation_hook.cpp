#include "support/allocation_hook.h"

#include <atomic>
#include <cstring>

namespace docket::test {
namespace {

using Malloc = void*(__cdecl*)(size_t);

std::atomic<Malloc> realMalloc{nullptr};
std::atomic<size_t> failingFrom{0};  // 0: none fail
std::atomic<size_t> largestRequest{0};

void* __cdecl HookedMalloc(size_t bytes) {
  size_t seen = largestRequest.load();
  while (bytes > seen && !largestRequest.compare_exchange_weak(seen, bytes)) {
  }
  const size_t limit = failingFrom.load();
  if (limit != 0 && bytes >= limit) return nullptr;
  return realMalloc.load()(bytes);
}

// The import-table slot through which `module` calls `function` of `dll`.
void** FindImportSlot(HMODULE module, const char* dll, const char* function) {
  auto* base = reinterpret_cast<BYTE*>(module);
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  for (auto* entry = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
       entry->Name; ++entry) {
    if (_stricmp(reinterpret_cast<const char*>(base + entry->Name), dll) != 0) continue;
    auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + entry->OriginalFirstThunk);
    auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + entry->FirstThunk);
    for (; names->u1.AddressOfData; ++names, ++slots) {
      if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
      const auto* byName = reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
      if (std::strcmp(reinterpret_cast<const char*>(byName->Name), function) == 0)
        return reinterpret_cast<void**>(&slots->u1.Function);
    }
  }
  return nullptr;
}

void WriteSlot(void** slot, void* value) {
  DWORD old = 0;
  ::VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &old);
  *slot = value;
  ::VirtualProtect(slot, sizeof *slot, old, &old);
}

}  // namespace

AllocationHook::AllocationHook(HMODULE module) {
  slot_ = FindImportSlot(module, "msvcrt.dll", "malloc");
  if (!slot_) return;
  original_ = *slot_;
  realMalloc = reinterpret_cast<Malloc>(original_);
  Reset();
  WriteSlot(slot_, reinterpret_cast<void*>(&HookedMalloc));
}

AllocationHook::~AllocationHook() {
  if (slot_) WriteSlot(slot_, original_);
  failingFrom = 0;
}

void AllocationHook::FailRequestsFrom(size_t bytes) { failingFrom = bytes; }
size_t AllocationHook::largest() const { return largestRequest; }
void AllocationHook::Reset() {
  largestRequest = 0;
  failingFrom = 0;
}

}  // namespace docket::test
