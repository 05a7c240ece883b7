#pragma once

#include <cstddef>

namespace docket {

// The module keeps ANSI paths in fixed buffers of the platform's classic size: 259 characters
// plus the terminator. Anything longer is refused, never truncated. (No Windows header here: the
// string-only modules that use it also build natively.)
inline constexpr std::size_t kMaxPath = 259;
inline constexpr std::size_t kPathBuffer = kMaxPath + 1;

// True when a text of this many characters (terminator not counted) fits a work buffer.
constexpr bool FitsPathBuffer(std::size_t length) noexcept { return length <= kMaxPath; }

}  // namespace docket
