// Stands in for the module's malloc (its import from the C runtime, where its operator new ends
// up) while it lives: requests from a chosen size up fail, and the largest request is noted. Only
// this process's copy of the module's import table is changed for it.
#pragma once

#include "com/win.h"

#include <atomic>
#include <cstring>

namespace docket::test {

class AllocationHook {
 public:
  explicit AllocationHook(HMODULE module) : slot_(ImportSlot(module, "msvcrt.dll", "malloc")) {
    if (!slot_) return;
    original_ = *slot_;
    Reset();
    Write(reinterpret_cast<void*>(&Hooked));
  }
  ~AllocationHook() {
    if (slot_) Write(original_);
    failingFrom_ = 0;
  }
  AllocationHook(const AllocationHook&) = delete;
  AllocationHook& operator=(const AllocationHook&) = delete;

  bool installed() const { return slot_ != nullptr; }
  // From now on, a request for `bytes` bytes or more gets nothing.
  void FailRequestsFrom(size_t bytes) { failingFrom_ = bytes; }
  // The largest request since the hook went in, or since the last Reset (which also ends failing).
  size_t largest() const { return largest_; }
  void Reset() { largest_ = failingFrom_ = 0; }

 private:
  using Malloc = void*(__cdecl*)(size_t);
  static inline std::atomic<size_t> failingFrom_{0}, largest_{0};  // 0: none fail
  static inline void* original_ = nullptr;

  static void* __cdecl Hooked(size_t bytes) {
    for (size_t seen = largest_; bytes > seen && !largest_.compare_exchange_weak(seen, bytes);) {
    }
    const size_t limit = failingFrom_;
    return limit != 0 && bytes >= limit ? nullptr : reinterpret_cast<Malloc>(original_)(bytes);
  }

  // The import-table slot through which `module` calls `function` of `dll`.
  static void** ImportSlot(HMODULE module, const char* dll, const char* function) {
    auto* base = reinterpret_cast<BYTE*>(module);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const DWORD imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
    for (auto* entry = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports); entry->Name; ++entry) {
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

  void Write(void* value) {
    DWORD old = 0;
    ::VirtualProtect(slot_, sizeof *slot_, PAGE_READWRITE, &old);
    *slot_ = value;
    ::VirtualProtect(slot_, sizeof *slot_, old, &old);
  }

  void** slot_;
};

}  // namespace docket::test
