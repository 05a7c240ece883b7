// What a delete of a folder tree does with what it meets, decided on attributes and names alone.
// No Windows header: the decisions build natively for the sanitizer tests.
#pragma once

#include "com/lead_bytes.h"

#include <cstdint>
#include <string_view>

namespace docket::deletion {

// The attribute bits the decision reads, numbered as the platform numbers them.
inline constexpr std::uint32_t kDirectoryAttribute = 0x10;
inline constexpr std::uint32_t kReparsePointAttribute = 0x400;

enum class Removal {
  File,  // removed as a file; a link to a file goes, its target stays
  Link,  // a junction or symbolic link to a folder: removed as a link, never entered, since what
         // it points at lies outside the tree being deleted
  Tree,  // a folder: its contents first, then the folder itself
};

Removal RemovalFor(std::uint32_t attributes);

// True when a full path names the root of a volume: a drive's root ("C:\", or "\" on the current
// drive) or a share's root ("\\server\share"), also in the "\\?\" and "\\.\" forms. A root can
// never be removed, so a delete that would empty it first must not start. `lead` gives the lead
// bytes of the code page the path is in.
bool IsVolumeRoot(std::string_view fullPath, const text::LeadBytes& lead);

}  // namespace docket::deletion
