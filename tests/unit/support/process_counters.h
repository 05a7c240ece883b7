// What this process holds, counted in ways that also work where the platform's own counters answer
// 0 (GetProcessHandleCount, the private-usage figure): for tests that check nothing is left behind.
#pragma once

#include "com/win.h"

#include <cstddef>
#include <vector>

namespace docket::test {

// The handles this process has open, as the system's extended handle list (64) shows them; 0 when
// the list cannot be had.
inline size_t OpenHandleCount() {
  struct Entry {
    void* object;
    ULONG_PTR processId, handle;
    ULONG grantedAccess;
    USHORT creatorBackTraceIndex, objectTypeIndex;
    ULONG attributes, reserved;
  };
  struct List {
    ULONG_PTR count, reserved;
    Entry entries[1];
  };
  using Query = LONG(NTAPI*)(ULONG, void*, ULONG, ULONG*);
  static const auto query = reinterpret_cast<Query>(reinterpret_cast<void*>(
      ::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "NtQuerySystemInformation")));
  std::vector<char> buffer(1 << 16);
  LONG status = -1;
  ULONG needed = 0;
  while (query && (status = query(64, buffer.data(), static_cast<ULONG>(buffer.size()), &needed)) ==
                      static_cast<LONG>(0xC0000004))  // the buffer is too small
    buffer.resize(buffer.size() * 2);
  if (status != 0) return 0;
  const auto* list = reinterpret_cast<const List*>(buffer.data());
  size_t mine = 0;
  for (ULONG_PTR i = 0; i < list->count; ++i) mine += list->entries[i].processId == ::GetCurrentProcessId();
  return mine;
}

// The process's committed private memory: what grows when anything in it holds more data.
inline size_t CommittedPrivateBytes() {
  size_t total = 0;
  MEMORY_BASIC_INFORMATION region;
  for (const char* at = nullptr; ::VirtualQuery(at, &region, sizeof region) == sizeof region;
       at = static_cast<const char*>(region.BaseAddress) + region.RegionSize)
    if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) total += region.RegionSize;
  return total;
}

}  // namespace docket::test
