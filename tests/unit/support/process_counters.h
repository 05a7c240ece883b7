// What this process holds, counted in ways that also work where the platform's own counters answer
// 0 (GetProcessHandleCount, the private-usage figure): for tests that check nothing is left behind.
#pragma once

#include "com/win.h"

#include <cstddef>

namespace docket::test {

// The handles this process has open, as the system's handle list shows them; 0 when the list
// cannot be had.
size_t OpenHandleCount();

// The process's committed private memory: what grows when anything in it holds more data.
size_t CommittedPrivateBytes();

}  // namespace docket::test
